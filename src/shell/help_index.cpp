#include "shell/help_index.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <algorithm>

#include "shell/setting_search.h"

namespace {

QString PlainText(const QString& html) {
  return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QString Captured(const QString& html, const QRegularExpression& pattern) {
  const QRegularExpressionMatch match = pattern.match(html);
  return match.hasMatch() ? PlainText(match.captured(1)) : QString();
}

}  // namespace

THelpIndex::THelpIndex(const QString& folder) {
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name)) {
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) continue;
    AddPage(name.chopped(4), QString::fromUtf8(file.readAll()));
  }
}

void THelpIndex::AddPage(const QString& topic, const QString& html) {
  static const QRegularExpression title(QStringLiteral("<title>(.*?)</title>"),
                                        QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression group(
      QStringLiteral("<meta name=\"vardex-group\" content=\"([^\"]*)\""));
  static const QRegularExpression body(QStringLiteral("<body>(.*)</body>"),
                                       QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression heading(QStringLiteral("<h2 id=\"([^\"]+)\">(.*?)</h2>"),
                                          QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression anchored(
      QStringLiteral("<(\\w+)[^>]* id=\"([^\"]+)\"[^>]*>(.*?)</\\1>"),
      QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));

  TPage page;
  page.Topic = topic;
  page.Title = Captured(html, title);
  page.Group = Captured(html, group);
  const QString text = body.match(html).hasMatch() ? body.match(html).captured(1) : html;
  // Sections run from one anchored second-level heading to the next.
  qsizetype from = 0;
  QString anchor;
  QString sectionTitle;
  for (auto it = heading.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    page.Sections.push_back({anchor, sectionTitle,
                             SearchFold(PlainText(text.mid(from, match.capturedStart() - from)))});
    anchor = match.captured(1);
    sectionTitle = PlainText(match.captured(2));
    from = match.capturedStart();
  }
  page.Sections.push_back({anchor, sectionTitle, SearchFold(PlainText(text.mid(from)))});
  for (auto it = anchored.globalMatch(html); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    page.Anchors.insert(match.captured(2));
    page.AnchorText.insert(match.captured(2), match.captured(3));
  }
  for (auto it = link.globalMatch(html); it.hasNext();) page.Links << it.next().captured(1);
  pages_.push_back(std::move(page));
}

const THelpIndex::TPage* THelpIndex::Find(const QString& topic) const {
  for (const TPage& page : pages_) {
    if (page.Topic == topic) return &page;
  }
  return nullptr;
}

bool THelpIndex::HasAnchor(const QString& topic, const QString& anchor) const {
  const TPage* page = Find(topic);
  return page != nullptr && page->Anchors.contains(anchor);
}

std::vector<THelpIndex::THit> THelpIndex::Search(const QString& text) const {
  const QStringList words = SearchFold(text).split(u' ', Qt::SkipEmptyParts);
  std::vector<THit> hits;
  if (words.isEmpty()) return hits;
  for (const TPage& page : pages_) {
    for (const TSection& section : page.Sections) {
      const bool all = std::all_of(words.begin(), words.end(), [&section](const QString& word) {
        return section.Text.contains(word);
      });
      if (all) hits.push_back({&page, &section});
    }
  }
  return hits;
}

QString THelpIndex::Sentence(const QString& topic, const QString& anchor) const {
  static const QRegularExpression caption(QStringLiteral("^\\s*<b>.*?</b>\\s*[:—-]?\\s*"),
                                          QRegularExpression::DotMatchesEverythingOption);
  const TPage* page = Find(topic);
  if (page == nullptr) return {};
  QString html = page->AnchorText.value(anchor);
  if (!caption.match(html).hasMatch()) return {};
  html.remove(caption);
  return PlainText(html);
}
