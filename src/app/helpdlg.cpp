#include "app/helpdlg.h"

#include "platform/languagetable.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace calivue {

namespace {

// A menu text as a reader sees it: no accelerator marks, no trailing dots.
QString plainMenuText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    // Chinese, Japanese and Korean menus carry the key as a "(X)" suffix.
    static const QRegularExpression suffix(QStringLiteral("\\s*\\([A-Za-z0-9]\\)"));
    text.remove(suffix);
    while (text.endsWith(QLatin1Char('.')) || text.endsWith(QChar(0x2026))) text.chop(1);
    return text.trimmed();
}

QString keysText(const QList<QKeySequence>& keys)
{
    QStringList parts;
    for (const QKeySequence& k : keys) parts << k.toString(QKeySequence::NativeText);
    return parts.join(QStringLiteral(", "));
}

QString readResource(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// The name a non-menu action is listed under: its text, else its tool tip.
QString actionName(const QAction* action)
{
    const QString text = plainMenuText(action->text());
    return text.isEmpty() ? plainMenuText(action->toolTip()) : text;
}

}  // namespace

QString menuPath(const QMainWindow& window, int command)
{
    for (QAction* top : window.menuBar()->actions()) {
        if (!top->menu()) continue;
        for (QAction* item : top->menu()->actions())
            if (!item->isSeparator() && item->data().toInt() == command)
                return plainMenuText(top->text()) + QStringLiteral(" \u203A ") +
                       plainMenuText(item->text());
    }
    return {};
}

QList<ShortcutRow> shortcutRows(const QMainWindow& window, const StringTable& texts)
{
    QList<ShortcutRow> rows;
    QSet<const QAction*> listed;
    for (QAction* top : window.menuBar()->actions()) {
        const QKeySequence alt = QKeySequence::mnemonic(top->text());
        if (!alt.isEmpty())
            rows << ShortcutRow{
                alt.toString(QKeySequence::NativeText),
                formatText(texts.text(sid::OpenMenuFormat), {plainMenuText(top->text())})};
    }
    for (QAction* top : window.menuBar()->actions()) {
        if (!top->menu()) continue;
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator() || item->shortcuts().isEmpty()) continue;
            rows << ShortcutRow{keysText(item->shortcuts()),
                                menuPath(window, item->data().toInt())};
            listed.insert(item);
        }
    }
    for (const QAction* action : window.findChildren<QAction*>()) {
        if (listed.contains(action) || action->shortcuts().isEmpty()) continue;
        rows << ShortcutRow{keysText(action->shortcuts()), actionName(action)};
        listed.insert(action);
    }
    return rows;
}

QString guideCode(Language language)
{
    const char* module = languageInfo(language).moduleName;
    if (module != nullptr && qstrcmp(module, "Filipino") == 0) return QStringLiteral("fil");
    return languageLocale(language).name().section(QLatin1Char('_'), 0, 0);
}

QString guideHtml(Language language, const QMainWindow& window, const StringTable& texts)
{
    QString html = readResource(QStringLiteral(":/help/guide_%1.html").arg(guideCode(language)));
    if (html.isEmpty()) html = readResource(QStringLiteral(":/help/guide_en.html"));
    static const QRegularExpression marker(QStringLiteral("\\{([sm]):(\\d+)\\}"));
    QString out;
    qsizetype from = 0;
    for (auto it = marker.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += html.mid(from, m.capturedStart() - from);
        const int id = m.captured(2).toInt();
        QString value = m.captured(1) == QLatin1String("s") ? plainMenuText(texts.text(id))
                                                            : menuPath(window, id);
        // A field's label ends in a colon the sentence around it does not want.
        while (value.endsWith(QLatin1Char(':')) || value.endsWith(QChar(0xFF1A))) value.chop(1);
        value = value.toHtmlEscaped();
        out += value.isEmpty() ? m.captured() : value;
        from = m.capturedEnd();
    }
    return out + html.mid(from);
}

QString shortcutsHtml(const QList<ShortcutRow>& rows, const StringTable& texts)
{
    QString html = QStringLiteral(
                       "<h2 id=\"shortcuts\"><a name=\"shortcuts\"></a>%1</h2>"
                       "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                       "<tr><th>%2</th><th>%3</th></tr>")
                       .arg(texts.text(sid::ShortcutsHeading).toHtmlEscaped(),
                            texts.text(sid::ShortcutKeysColumn).toHtmlEscaped(),
                            texts.text(sid::ShortcutCommandColumn).toHtmlEscaped());
    // The keys are written left to right in every language: "Ctrl+O" must not turn round.
    for (const ShortcutRow& row : rows)
        html += QStringLiteral("<tr><td dir=\"ltr\">%1</td><td>%2</td></tr>")
                    .arg(row.keys.toHtmlEscaped(), row.command.toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

cHelpDlg::cHelpDlg(const QString& html, const QString& title, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    m_browser = new QTextBrowser(this);
    m_browser->setOpenLinks(false);
    m_browser->setHtml(html);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
    resize(640, 560);
}

void cHelpDlg::showGuide()
{
    m_browser->verticalScrollBar()->setValue(0);
}

void cHelpDlg::showShortcuts()
{
    m_browser->scrollToAnchor(QStringLiteral("shortcuts"));
}

}  // namespace calivue
