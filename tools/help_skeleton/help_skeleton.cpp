// Writes the skeleton of each registered settings page's help page from the page's table: the
// title, one heading with its anchor per section and, under it, the section's settings with their
// anchors and, where the table has one, their hint. The prose is written into the files by
// hand afterwards, so a file that exists is left alone unless --force is given.
//
//   help-skeleton DIR [--force]

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <cstdio>

#include "binding/component_data.h"
#include "binding/help_anchor.h"
#include "binding/page_table.h"
#include "binding/row_binding.h"
#include "binding/ui/page_registry.h"
#include "pages/settings_pages.h"
#include "shell/setting_search.h"

namespace {

QString Escaped(const QString& text) {
  return text.simplified().toHtmlEscaped();
}

// A setting's own anchor: the context-help anchor where its kind has one.
QString SettingAnchor(const TPageTable& table, const TControlRow& row) {
  TComponentData data;
  BindRow(row, table.LanAddr, data);
  return HelpAnchor(row.Kind, data);
}

bool Listed(const TControlRow& row) {
  return IsBound(row.Kind) && row.Kind != ckData && row.Kind != ckLabel && !row.Hidden &&
         row.Caption[0] != '\0';
}

QString Skeleton(const TPageTable& table) {
  const QString module = PageModule(table);
  const QString title = module + QStringLiteral(": ") + QString::fromUtf8(table.Title);
  QString html;
  html += QStringLiteral(
              "<!DOCTYPE html>\n<html lang=\"ru\">\n<head><meta charset=\"utf-8\">"
              "<meta name=\"vardex-group\" content=\"%1\"><title>%2</title></head>\n<body>\n"
              "<h1>%2</h1>\n<p></p>\n")
              .arg(Escaped(module), Escaped(title));
  QSet<QString> anchors;
  bool listOpen = false;
  int ordinal = 0;
  const auto closeList = [&] {
    if (listOpen) html += QStringLiteral("</ul>\n");
    listOpen = false;
  };
  for (const TControlRow& row : table.Rows) {
    if (row.Kind == ckHeading) {
      closeList();
      html += QStringLiteral("<h2 id=\"%1\">%2</h2>\n")
                  .arg(SectionAnchor(++ordinal), Escaped(QString::fromUtf8(row.Caption)));
      continue;
    }
    if (!Listed(row)) continue;
    if (!listOpen) html += QStringLiteral("<ul class=\"settings\">\n");
    listOpen = true;
    QString anchor = SettingAnchor(table, row);
    const bool own = !anchor.isEmpty() && !anchors.contains(anchor);
    anchors.insert(anchor);
    html += own ? QStringLiteral("<li id=\"%1\">").arg(anchor) : QStringLiteral("<li>");
    html += QStringLiteral("<b>%1</b>").arg(Escaped(QString::fromUtf8(row.Caption)));
    if (row.Hint[0] != '\0') html += QStringLiteral(": ") + Escaped(QString::fromUtf8(row.Hint));
    html += QStringLiteral("</li>\n");
  }
  closeList();
  html += QStringLiteral(
      "<p class=\"nav\"><a href=\"index.htm\">Содержание</a></p>\n</body>\n"
      "</html>\n");
  return html;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: help-skeleton DIR [--force]\n");
    return 2;
  }
  const QDir dir(args[1]);
  const bool force = args.contains(QStringLiteral("--force"));
  TPageRegistry pages;
  RegisterSettingsPages(pages);
  for (const TPageInfo& page : pages.Pages()) {
    if (page.Table == nullptr) continue;
    const TPageTable& table = *page.Table;
    const QString path = dir.filePath(PageHelpTopic(table) + QStringLiteral(".htm"));
    if (QFile::exists(path) && !force) {
      std::printf("kept %s\n", qPrintable(path));
      continue;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
    file.write(Skeleton(table).toUtf8());
    std::printf("wrote %s\n", qPrintable(path));
  }
  return 0;
}
