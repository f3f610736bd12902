// The Help window: the user guide of the language in use (its own guide, else the English body
// under the language's headings) and the keyboard shortcuts, listed from the window's own
// actions so the list cannot part from the keys that work.
#pragma once

#include "platform/languagetable.h"

#include <QDialog>
#include <QList>
#include <QString>

class QMainWindow;
class QTextBrowser;

namespace calivue {

class StringTable;

struct ShortcutRow {
    QString keys;     // as the desktop writes them ("Ctrl+O", "Alt+F"); several joined by ", "
    QString command;  // the menu path ("File › Open") or the action's own name
    bool operator==(const ShortcutRow&) const = default;
};

// Every shortcut `window` answers to: the Alt key of each menu-bar title, then every action
// of the window and its children that carries keys, menu commands first in menu order.
QList<ShortcutRow> shortcutRows(const QMainWindow& window, const StringTable& texts);

// The code in the name of `language`'s guide, resources/help/guide_<code>.html: the language
// code of its locale ("de", "ja", "he"), and "fil" for Filipino, whose locale is English
// (United Kingdom) for its dates and numbers.
QString guideCode(Language language);

// The guide for `language` with its {s:N} (string N) and {m:N} (menu path of command N in
// `window`) filled in; an unknown marker stays as it is, so it shows.
QString guideHtml(Language language, const QMainWindow& window, const StringTable& texts);

// The shortcut rows as a table under the "Keyboard Shortcuts" heading (anchor "shortcuts").
QString shortcutsHtml(const QList<ShortcutRow>& rows, const StringTable& texts);

// The menu path of a command in `window`'s menu bar, without accelerator marks or trailing
// dots ("File › Open"); empty when no menu holds it.
QString menuPath(const QMainWindow& window, int command);

class cHelpDlg : public QDialog {
    Q_OBJECT

public:
    cHelpDlg(const QString& html, const QString& title, QWidget* parent = nullptr);
    QTextBrowser* browser() const { return m_browser; }
    // Brings the guide's start or the shortcut list into view.
    void showGuide();
    void showShortcuts();

private:
    QTextBrowser* m_browser = nullptr;
};

}  // namespace calivue
