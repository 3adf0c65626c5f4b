#include "help/chm/contents_file.h"

#include <QHash>
#include <QRegularExpression>
#include <optional>

namespace veltrano::help {

using namespace Qt::Literals::StringLiterals;

namespace {

// The text of an attribute value with its character references resolved.
QString decodeEntities(const QString& text) {
  if (!text.contains(QLatin1Char('&'))) return text;
  static const QRegularExpression reference(QStringLiteral("&(#x[0-9a-fA-F]+|#[0-9]+|[a-zA-Z]+);"));
  static const QHash<QString, QString> named{
      {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
      {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
      {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QString(QChar(0xA0))}};
  QString result;
  qsizetype last = 0;
  for (const QRegularExpressionMatch& match : reference.globalMatch(text)) {
    result += text.mid(last, match.capturedStart() - last);
    const QString name = match.captured(1);
    bool ok = false;
    uint code = 0;
    if (name.startsWith(QLatin1String("#x")))
      code = name.mid(2).toUInt(&ok, 16);
    else if (name.startsWith(QLatin1Char('#')))
      code = name.mid(1).toUInt(&ok, 10);
    if (ok && code > 0 && code <= 0x10FFFF) {
      result += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
    } else {
      result += named.value(name.toLower(), match.captured());
    }
    last = match.capturedEnd();
  }
  return result + text.mid(last);
}

// The value of a tag's attribute, the last one of that name, with its
// character references resolved; empty when the tag has none.
QString attribute(const QString& tagBody, QLatin1StringView name) {
  static const QRegularExpression attribute(
      QStringLiteral(R"re((\w+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"));
  QString value;
  for (const QRegularExpressionMatch& match : attribute.globalMatch(tagBody)) {
    if (match.capturedView(1).compare(name, Qt::CaseInsensitive) != 0) continue;
    value = match.captured(2);
    if (match.capturedStart(3) >= 0) value = match.captured(3);
    if (match.capturedStart(4) >= 0) value = match.captured(4);
  }
  return decodeEntities(value);
}

bool is(QStringView tagName, QLatin1StringView name) {
  return tagName.compare(name, Qt::CaseInsensitive) == 0;
}

struct Tag {
  bool closing;
  QStringView name;
  QStringView body;  // what follows the name up to the closing ">"
};

// The tags of an HTML text one after the other: "<", blanks, an optional
// "/", blanks, a name of ASCII letters, then anything up to the next ">".
// A "<" that starts no tag is text. One pass, without backtracking, however
// large or broken the text.
class TagScanner {
 public:
  explicit TagScanner(QStringView text) : text_(text) {}

  std::optional<Tag> next() {
    while (true) {
      const qsizetype open = text_.indexOf(QLatin1Char('<'), position_);
      if (open < 0) return std::nullopt;
      qsizetype at = skipBlanks(open + 1);
      const bool closing = at < text_.size() && text_[at] == QLatin1Char('/');
      if (closing) at = skipBlanks(at + 1);
      const qsizetype nameStart = at;
      while (at < text_.size() && isAsciiLetter(text_[at])) ++at;
      if (at == nameStart) {
        position_ = open + 1;
        continue;
      }
      const qsizetype end = text_.indexOf(QLatin1Char('>'), at);
      if (end < 0) return std::nullopt;  // no tag can end any more
      position_ = end + 1;
      return Tag{closing, text_.sliced(nameStart, at - nameStart), text_.sliced(at, end - at)};
    }
  }

 private:
  static bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
  }
  qsizetype skipBlanks(qsizetype at) const {
    while (at < text_.size() && text_[at].isSpace()) ++at;
    return at;
  }

  QStringView text_;
  qsizetype position_ = 0;
};

// Builds the tree while the tags go by. Each <UL> opens the children of the
// item just before it; a list with no item before it stays on the same level.
// Lists below the deepest level kept are only counted, so that their ends
// are matched, and their entries are left out.
class ContentsBuilder {
 public:
  void openList() {
    const Level current = levels_.back();
    const bool nests = !current.entries->empty() && closedItem_;
    closedItem_ = false;
    if (listsTooDeep_ > 0 || (nests && current.depth == Contents::kMaxDepth)) {
      ++listsTooDeep_;
      return;
    }
    levels_.push_back(nests ? Level{&current.entries->back().children, current.depth + 1} : current);
  }
  void closeList() {
    if (listsTooDeep_ > 0) {
      --listsTooDeep_;
    } else if (levels_.size() > 1) {
      levels_.pop_back();
    }
    closedItem_ = true;
  }
  // isSitemap() reads the item's type; an item too deep to keep is not read.
  template <class IsSitemap>
  void openItem(IsSitemap isSitemap) {
    hasPending_ = false;
    if (listsTooDeep_ > 0) {
      contents_.tooDeep = true;
    } else if (isSitemap()) {
      pending_ = ContentsEntry{};
      hasPending_ = true;
    }
  }
  // Whether the parameters that follow are kept: the rest need not be read.
  bool readsParameters() const { return hasPending_; }
  void parameter(const QString& name, const QString& value) {
    if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 && pending_.name.isEmpty()) {
      pending_.name = value.trimmed();
    } else if (name.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0 && pending_.local.isEmpty()) {
      pending_.local = value.trimmed();
    }
  }
  void closeItem() {
    if (hasPending_ && (!pending_.name.isEmpty() || !pending_.local.isEmpty())) {
      if (kept_ == Contents::kMaxEntries) {
        contents_.tooMany = true;
      } else {
        if (pending_.name.isEmpty()) pending_.name = pending_.local;
        levels_.back().entries->push_back(std::move(pending_));
        ++kept_;
        closedItem_ = true;
      }
    }
    hasPending_ = false;
  }
  // Once the entries are cut, nothing more is added.
  bool full() const { return contents_.tooMany; }
  Contents take() { return std::move(contents_); }

 private:
  struct Level {
    std::vector<ContentsEntry>* entries;
    int depth;  // 1 for the top level
  };

  Contents contents_;
  std::vector<Level> levels_{{&contents_.entries, 1}};
  int listsTooDeep_ = 0;
  int kept_ = 0;
  // A plain member and a flag: GCC warns falsely about std::optional here.
  ContentsEntry pending_;
  bool hasPending_ = false;
  bool closedItem_ = false;
};

}  // namespace

Contents parseContents(const QString& sitemap) {
  static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                          QRegularExpression::DotMatchesEverythingOption);
  const QString text = sitemap.left(Contents::kMaxChars).remove(comment);
  ContentsBuilder builder;
  TagScanner tags(text);
  while (const std::optional<Tag> tag = tags.next()) {
    if (is(tag->name, "ul"_L1)) {
      tag->closing ? builder.closeList() : builder.openList();
    } else if (is(tag->name, "object"_L1)) {
      if (tag->closing) {
        builder.closeItem();
      } else {
        builder.openItem([&] { return is(attribute(tag->body.toString(), "type"_L1), "text/sitemap"_L1); });
      }
    } else if (is(tag->name, "param"_L1) && !tag->closing && builder.readsParameters()) {
      const QString body = tag->body.toString();
      builder.parameter(attribute(body, "name"_L1), attribute(body, "value"_L1));
    }
    if (builder.full()) break;
  }
  Contents contents = builder.take();
  contents.tooLong = sitemap.size() > Contents::kMaxChars && !contents.tooMany;
  return contents;
}

}  // namespace veltrano::help
