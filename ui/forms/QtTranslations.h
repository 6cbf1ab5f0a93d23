#pragma once
// Qt's own texts - the file and folder dialogs ("ファイルの場所", "保存"), the
// standard buttons and the edit boxes' context menus - in Japanese, like
// every text of the programs themselves. The clerks read Japanese whatever
// locale the session was started under, so the language is not taken from
// the environment. Every program and tool calls this right after creating
// its application object.
class QCoreApplication;

namespace vq::ui {

// Loads Qt's Japanese translations (the Debian package qt6-translations-l10n)
// into app and makes Japanese the default locale of Qt's dialogs. False when
// the translations are not installed: Qt's texts then stay in English.
bool installQtTranslations(QCoreApplication& app);

} // namespace vq::ui
