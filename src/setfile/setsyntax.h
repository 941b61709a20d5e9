#pragma once
// Text object notation of set files: text <-> a neutral tree of objects and
// properties. Knows nothing of components; needs QtCore only. Callers include this
// one header; the tree, the encoding, the reader and the writer have their own.
#include "setfile/encoding.h"
#include "setfile/reader.h"
#include "setfile/tree.h"
#include "setfile/writer.h"
