#pragma once

#include <QString>
#include <ostream>

// Lets failure messages name pages and links: EXPECT_TRUE(...) << page.
inline std::ostream& operator<<(std::ostream& out, const QString& text) { return out << text.toStdString(); }
