#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace veltrano {

// Lines after the first piece of a wrapped line start with this indent.
inline const QString kWrapIndent = QStringLiteral("    ");

// The printed lines that one line of text takes on a page of the given
// width, so that nothing is cut off at the margin. A line that fits stays
// whole. A longer one is broken after the last blanks that still fit, or
// where the page ends when no blank does, and every piece after the first
// starts with kWrapIndent. Every character of the line stays, in order:
// without their indents, the pieces put together give the line again.
// width measures a printed line in the same units as pageWidth; it must not
// shrink when a line grows.
QStringList WrapLine(const QString& line, double pageWidth,
                     const std::function<double(const QString&)>& width);

}  // namespace veltrano
