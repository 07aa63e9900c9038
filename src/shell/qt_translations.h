#pragma once

class QCoreApplication;

// Loads Qt's own Russian texts (Yes/No, Cancel, the file dialogs) into `app`: the program
// speaks Russian whatever the desktop's language. False when the translations are not
// installed (package qt6-translations-l10n); Qt's dialogs then stay English.
bool InstallQtTranslations(QCoreApplication& app);
