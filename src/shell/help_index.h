#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

// What the help folder holds, read once: each page's title, group and sections, the anchors
// it offers, the links it makes and its text for the search.
class THelpIndex {
 public:
  struct TSection {
    QString Anchor;  // empty for the part above the first section
    QString Title;
    QString Text;  // plain text, folded for the search
  };
  struct TPage {
    QString Topic;  // the file name without ".htm"
    QString Title;
    QString Group;
    std::vector<TSection> Sections;
    QSet<QString> Anchors;
    // The text of each element with an anchor, by anchor.
    QHash<QString, QString> AnchorText;
    // Every href as written.
    QStringList Links;
  };
  // A place the search found: the page and its section.
  struct THit {
    const TPage* Page = nullptr;
    const TSection* Section = nullptr;
  };

  THelpIndex() = default;
  // Reads every ".htm" page of `folder`.
  explicit THelpIndex(const QString& folder);
  // Reads one page from its HTML text.
  void AddPage(const QString& topic, const QString& html);

  const std::vector<TPage>& Pages() const { return pages_; }
  const TPage* Find(const QString& topic) const;
  bool HasAnchor(const QString& topic, const QString& anchor) const;
  // The sections that hold every word of `text`, case and ё/е aside, in page order.
  std::vector<THit> Search(const QString& text) const;
  // The text the page gives for an anchor after its bold caption ("<b>Caption</b>: this"),
  // empty when there is none.
  QString Sentence(const QString& topic, const QString& anchor) const;

 private:
  std::vector<TPage> pages_;
};
