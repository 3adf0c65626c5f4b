#pragma once

#include <QByteArray>
#include <QString>

namespace veltrano {

// File names as the system knows them: bytes, usually but not always UTF-8.
// Qt decodes a byte that is not UTF-8 to U+FFFD, which encodes back to other
// bytes, and leaves such names out of its folder listings, so a file called
// "caf\xE9.txt" could neither be opened nor saved under its own name. The file
// layer therefore decodes each such byte to a lone surrogate (U+DC80 plus the
// byte, as Python's "surrogateescape" does) and encodes it back, so that a
// name it hands out comes back byte for byte; every other character is plain
// UTF-8 both ways.
QString fileNameFromSystem(const QByteArray& name);
QByteArray systemFileNameOf(const QString& name);

// The bytes of path for the system's calls. A name that came through Qt (a
// file dialog, the command line) has U+FFFD where its bytes were not UTF-8:
// when the path does not exist as written and its last part holds U+FFFD, the
// one entry of its folder that Qt would show under that name stands for it.
// Raises Path/File access error when several entries would show so.
QByteArray systemPathOf(const QString& path);

}  // namespace veltrano
