#include "help/chm/page_nesting.h"

#include <QHash>
#include <initializer_list>
#include <vector>

namespace veltrano::help {
namespace {

// How far down the open elements an item, cell or paragraph looks for the
// one it closes without an end tag. Past that it counts as nested, which can
// only flatten sooner, and a page of many open elements is still read in
// one pass.
constexpr int kImplicitCloseReach = 32;

bool isOneOf(const QString& name, std::initializer_list<const char*> names) {
  for (const char* candidate : names)
    if (name == QLatin1String(candidate)) return true;
  return false;
}

// Elements that never hold anything, so never nest.
bool isVoid(const QString& name) {
  return isOneOf(name, {"br", "hr", "img", "input", "meta", "link", "col", "area", "base", "param", "wbr",
                        "embed", "source", "track", "basefont", "frame", "keygen", "isindex"});
}

bool isTablePart(const QString& name) {
  return isOneOf(name, {"tr", "td", "th", "thead", "tbody", "tfoot", "caption", "colgroup"});
}

// Elements whose start ends an open paragraph.
bool isBlock(const QString& name) {
  return isOneOf(name, {"p", "div", "ul", "ol", "dl", "table", "blockquote", "pre", "h1", "h2", "h3", "h4",
                        "h5", "h6", "center", "address"});
}

struct OpenElement {
  int name;
  bool kept;
  bool table;
};

class NestingCapper {
 public:
  explicit NestingCapper(const QString& html) : in_(html) { page_.html.reserve(html.size()); }

  CappedPage run() {
    qsizetype at = 0;
    while (at < in_.size()) {
      const qsizetype open = in_.indexOf(u'<', at);
      if (open < 0) break;
      copy(at, open);
      at = markup(open);
    }
    copy(at, in_.size());
    return std::move(page_);
  }

 private:
  void copy(qsizetype from, qsizetype to) { page_.html += QStringView(in_).sliced(from, to - from); }

  // Handles the markup that starts with the '<' at open; returns where the text goes on.
  qsizetype markup(qsizetype open) {
    if (QStringView(in_).sliced(open).startsWith(u"<!--")) {
      const qsizetype end = in_.indexOf(QLatin1String("-->"), open + 4);
      return copied(open, end < 0 ? in_.size() : end + 3);
    }
    const bool closing = open + 1 < in_.size() && in_[open + 1] == u'/';
    const qsizetype nameStart = open + 1 + (closing ? 1 : 0);
    if (nameStart >= in_.size()) return copied(open, in_.size());
    const QChar first = in_[nameStart];
    if (!closing && (first == u'!' || first == u'?')) {  // a declaration or processing instruction
      const qsizetype end = in_.indexOf(u'>', nameStart);
      return copied(open, end < 0 ? in_.size() : end + 1);
    }
    if (!isAsciiLetter(first)) return copied(open, open + 1);  // a plain '<'
    qsizetype nameEnd = nameStart;
    while (nameEnd < in_.size() && (isAsciiLetter(in_[nameEnd]) || in_[nameEnd].isDigit())) ++nameEnd;
    const qsizetype end = endOfTag(nameEnd);
    const QString name = in_.sliced(nameStart, nameEnd - nameStart).toLower();
    const QStringView text = QStringView(in_).sliced(open, end - open);
    if (closing) {
      endTag(name, text);
      return end;
    }
    const bool selfClosed = text.endsWith(u"/>");
    startTag(name, text, selfClosed);
    if (!selfClosed && isOneOf(name, {"style", "script"})) {  // their text is no markup
      const qsizetype close = in_.indexOf(QStringLiteral("</") + name, end, Qt::CaseInsensitive);
      return copied(end, close < 0 ? in_.size() : close);
    }
    return end;
  }

  qsizetype copied(qsizetype from, qsizetype to) {
    copy(from, to);
    return to;
  }

  static bool isAsciiLetter(QChar c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

  // Just past the '>' that ends a tag, a '>' inside a quoted value aside.
  qsizetype endOfTag(qsizetype from) const {
    for (qsizetype at = from; at < in_.size(); ++at) {
      if (in_[at] == u'>') return at + 1;
      if (in_[at] != u'=') continue;
      qsizetype value = at + 1;
      while (value < in_.size() && in_[value].isSpace()) ++value;
      if (value < in_.size() && (in_[value] == u'"' || in_[value] == u'\'')) {
        const qsizetype quote = in_.indexOf(in_[value], value + 1);
        if (quote < 0) return in_.size();
        at = quote;
      }
    }
    return in_.size();
  }

  void startTag(const QString& name, QStringView text, bool selfClosed) {
    if (isVoid(name) || selfClosed) {
      page_.html += text;
      return;
    }
    closeImplicitly(name);
    const bool table = name == QLatin1String("table");
    const bool kept = keeps(name, table);
    open_.push_back({idOf(name), kept, table});
    ++openCount_[open_.back().name];
    if (table) tables_.push_back(kept);
    keptDepth_ += kept;
    keptTables_ += kept && table;
    write(kept, text);
  }

  void endTag(const QString& name, QStringView text) {
    const int id = ids_.value(name, -1);
    if (id < 0 || openCount_[id] == 0) {  // nothing to close: the browser ignores it too
      page_.html += text;
      return;
    }
    while (open_.back().name != id) pop();
    write(open_.back().kept, text);
    pop();
  }

  bool keeps(const QString& name, bool table) const {
    if (keptDepth_ >= kMaxElementDepth) return false;
    if (table) return keptTables_ < kMaxTableDepth;
    // A row or cell of a flattened table goes with it.
    if (isTablePart(name)) return tables_.empty() || tables_.back();
    return true;
  }

  // Items, cells, rows and paragraphs end where the next one starts.
  void closeImplicitly(const QString& name) {
    if (name == QLatin1String("li")) {
      closeNearest({"li"}, {"ul", "ol"});
    } else if (isOneOf(name, {"dt", "dd"})) {
      closeNearest({"dt", "dd"}, {"dl"});
    } else if (isOneOf(name, {"td", "th"})) {
      closeNearest({"td", "th"}, {"tr", "table"});
    } else if (name == QLatin1String("tr")) {
      closeNearest({"tr"}, {"table"});
    } else if (isOneOf(name, {"thead", "tbody", "tfoot"})) {
      closeNearest({"thead", "tbody", "tfoot"}, {"table"});
    }
    if (isBlock(name) && !open_.empty() && open_.back().name == ids_.value(QStringLiteral("p"), -1)) pop();
  }

  void closeNearest(std::initializer_list<const char*> ends, std::initializer_list<const char*> stops) {
    const qsizetype lowest = std::max<qsizetype>(0, qsizetype(open_.size()) - kImplicitCloseReach);
    for (qsizetype at = qsizetype(open_.size()) - 1; at >= lowest; --at) {
      const QString& name = names_[open_[at].name];
      if (isOneOf(name, stops)) return;
      if (!isOneOf(name, ends)) continue;
      while (qsizetype(open_.size()) > at) pop();
      return;
    }
  }

  void pop() {
    const OpenElement element = open_.back();
    open_.pop_back();
    --openCount_[element.name];
    keptDepth_ -= element.kept;
    if (!element.table) return;
    tables_.pop_back();
    keptTables_ -= element.kept;
  }

  // A tag left out still parts the words on either side.
  void write(bool kept, QStringView text) {
    if (kept) {
      page_.html += text;
      return;
    }
    page_.html += u' ';
    page_.flattened = true;
  }

  int idOf(const QString& name) {
    const auto found = ids_.constFind(name);
    if (found != ids_.cend()) return *found;
    ids_.insert(name, int(names_.size()));
    names_.push_back(name);
    openCount_.push_back(0);
    return int(names_.size()) - 1;
  }

  const QString& in_;
  CappedPage page_;
  std::vector<OpenElement> open_;
  std::vector<bool> tables_;  // whether each open table is kept, innermost last
  int keptDepth_ = 0;
  int keptTables_ = 0;
  QHash<QString, int> ids_;
  std::vector<QString> names_;
  std::vector<int> openCount_;
};

}  // namespace

CappedPage capNesting(const QString& html) { return NestingCapper(html).run(); }

}  // namespace veltrano::help
