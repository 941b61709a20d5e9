#pragma once
// The set checker's heap for a large set: grown once, ahead of the read, and backed by
// the kernel's huge pages where it offers them on request. A set of tens of megabytes is
// read into millions of small blocks; page by page, the first touch of each 4 KiB page
// cost the checker as much as the reading itself.
#include <cstddef>

namespace mira {

// The heap room a read of a set of fileBytes asks for: the text, its parse and the
// components built from it come to about seven times the file, and eight leaves some to
// spare. Zero below a few megabytes, where the ordinary heap does as well.
std::size_t HeapRoomForSet(std::size_t fileBytes);

// Keeps freed heap tops and large blocks in the heap, grows it by bytes at once and asks
// for huge pages on it. Does nothing where the C library or the kernel offers no such
// control; true when the room was advised.
bool ReserveHugeHeap(std::size_t bytes);

} // namespace mira
