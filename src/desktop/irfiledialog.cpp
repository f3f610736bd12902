#include "desktop/irfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace calivue {

namespace {

cIRFileDialog::Chooser& chooser()
{
    static cIRFileDialog::Chooser instance;
    return instance;
}

}  // namespace

QString caseInsensitivePattern(const QString& pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            out += QLatin1Char('[');
            out += c.toLower();
            out += c.toUpper();
            out += QLatin1Char(']');
        } else {
            out += c;
        }
    }
    return out;
}

cIRFileDialog::cIRFileDialog(Mode mode, QString defaultSuffix, QString initialName, int viewMode)
    : m_mode(mode),
      m_defaultSuffix(std::move(defaultSuffix)),
      m_initialName(std::move(initialName)),
      m_viewMode(viewMode)
{
}

void cIRFileDialog::addFilter(const QString& description, const QString& patterns)
{
    QStringList qtPatterns;
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        qtPatterns.append(caseInsensitivePattern(p.trimmed()));
    // The dialog shows the description only (HideNameFilterDetails), so the pattern part in
    // brackets can carry the case-insensitive spelling without the user seeing it.
    m_nameFilters.append(description + QLatin1String(" (") + qtPatterns.join(QLatin1Char(' ')) +
                         QLatin1Char(')'));
}

void cIRFileDialog::addFilters(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (!parts.at(i).isEmpty()) addFilter(parts.at(i), parts.at(i + 1));
}

void cIRFileDialog::setChooser(Chooser c)
{
    chooser() = std::move(c);
}

QString cIRFileDialog::withDefaultSuffix(const QString& path) const
{
    if (m_mode != Mode::Save || m_defaultSuffix.isEmpty() || path.isEmpty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + m_defaultSuffix;
}

std::unique_ptr<QFileDialog> cIRFileDialog::createDialog(QWidget* parent) const
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setWindowTitle(m_title);
    if (m_mode == Mode::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite, !m_overwritePrompt);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    if (!m_nameFilters.isEmpty()) dialog->setNameFilters(m_nameFilters);
    dialog->setDefaultSuffix(m_defaultSuffix);
    if (!m_directory.isEmpty()) dialog->setDirectory(m_directory);
    if (!m_initialName.isEmpty()) dialog->selectFile(m_initialName);
    dialog->setViewMode(m_viewMode == kThumbnailView ? QFileDialog::List : QFileDialog::Detail);
    return dialog;
}

std::optional<QString> cIRFileDialog::choose(QWidget* parent) const
{
    if (chooser()) {
        const std::optional<QString> chosen = chooser()(*this);
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        return withDefaultSuffix(*chosen);
    }
    const auto dialog = createDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return withDefaultSuffix(dialog->selectedFiles().constFirst());
}

}  // namespace calivue
