#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace veltrano::help {

// One line of a help file's table of contents: a heading, a page, or both.
struct ContentsEntry {
  QString name;
  QString local;  // the page it opens, relative to the file's root; may be empty
  std::vector<ContentsEntry> children;
};

// The table of contents as read, and whether a cap below cut it short.
struct Contents {
  // Real help files nest a handful of levels and hold some hundreds of
  // entries. The caps keep a damaged or hostile contents file from building
  // a tree that the window cannot show or walk: each level of nesting costs
  // stack in the tree's own item code, and each entry a row that is built
  // and laid out when the window opens.
  static constexpr int kMaxDepth = 64;
  static constexpr int kMaxEntries = 10000;
  // A text of tags that make no entry escapes the entry cap; real contents
  // files are some kilobytes, and this much is read in a fraction of a second.
  static constexpr int kMaxChars = 4 * 1024 * 1024;

  std::vector<ContentsEntry> entries;
  bool tooDeep = false;  // entries nested deeper than kMaxDepth were left out
  bool tooMany = false;  // entries past the first kMaxEntries were left out
  bool tooLong = false;  // the text past the first kMaxChars was not read
};

// Reads the sitemap of a contents (.hhc) file: nested lists whose items are
// <OBJECT type="text/sitemap"> with "Name" and "Local" parameters. Tolerant
// of the loose HTML such files are written in: unclosed tags, any letter
// case, quoted or bare attribute values.
Contents parseContents(const QString& sitemap);

// Calls visit(entry, context) for every entry, each before its children and
// siblings in order, without recursion. visit returns the context that the
// entry's children are visited with; the top level gets rootContext.
template <class Context, class Visit>
void walkContents(const std::vector<ContentsEntry>& entries, Context rootContext, Visit visit) {
  std::vector<std::pair<const ContentsEntry*, Context>> pending;
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) pending.emplace_back(&*it, rootContext);
  while (!pending.empty()) {
    auto [entry, context] = pending.back();
    pending.pop_back();
    Context inside = visit(*entry, context);
    for (auto it = entry->children.rbegin(); it != entry->children.rend(); ++it)
      pending.emplace_back(&*it, inside);
  }
}

}  // namespace veltrano::help
