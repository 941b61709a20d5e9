#pragma once
// A small file system of its own (tmpfs) mounted on a folder: full or read-only on
// demand, which refuses writes even to root. Needs the right to mount; tests skip
// without it.
#include <QString>

namespace mira::test {

class ScratchMount {
public:
    ScratchMount(const QString &folder, const QString &size);
    ~ScratchMount();
    ScratchMount(const ScratchMount &) = delete;
    ScratchMount &operator=(const ScratchMount &) = delete;

    bool ok() const { return mounted; }
    bool makeReadOnly() const;
    // Writes a filler file until no byte is left.
    void fill() const;

private:
    QString path;
    bool mounted = false;
};

} // namespace mira::test
