// The program's open and save dialog: Qt's own (non-native) file dialog, so it behaves the same
// on every desktop, set up the way the callers describe it (title, filters, default suffix,
// initial name, overwrite prompt).
#pragma once

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QWidget;

namespace calivue {

class cIRFileDialog {
public:
    enum class Mode { Open, Save };

    // The list-mode command every caller passes; the dialog opens its file list in icon view.
    static constexpr int kThumbnailView = 28717;

    cIRFileDialog(Mode mode, QString defaultSuffix = {}, QString initialName = {},
                  int viewMode = kThumbnailView);

    void setTitle(const QString& title) { m_title = title; }
    // One filter: a description ("Calivue (*.bmp)") and its patterns ("*.bmp" or
    // "*.jpg;*.bmp"). Patterns match regardless of case, as camera cards name files IR_0001.BMP.
    void addFilter(const QString& description, const QString& patterns);
    // Filters in the "description|patterns|description|patterns||" form.
    void addFilters(const QString& pairs);
    void setOverwritePrompt(bool prompt) { m_overwritePrompt = prompt; }
    void setDirectory(const QString& directory) { m_directory = directory; }

    // Shows the dialog modally. Returns the chosen path, or nullopt when cancelled. In save
    // mode a name typed without a suffix gets the default suffix.
    std::optional<QString> choose(QWidget* parent = nullptr) const;

    // The dialog choose() shows, fully set up; the caller owns it.
    std::unique_ptr<QFileDialog> createDialog(QWidget* parent = nullptr) const;

    Mode mode() const { return m_mode; }
    QString title() const { return m_title; }
    QString defaultSuffix() const { return m_defaultSuffix; }
    QString initialName() const { return m_initialName; }
    bool overwritePrompt() const { return m_overwritePrompt; }
    // The filters in Qt's "description (patterns)" form, as the dialog gets them.
    QStringList nameFilters() const { return m_nameFilters; }

    // When set, choose() asks the chooser instead of showing a dialog. For tests.
    using Chooser = std::function<std::optional<QString>(const cIRFileDialog&)>;
    static void setChooser(Chooser chooser);

    // `path` with the default suffix appended when the file name has no suffix (save mode).
    QString withDefaultSuffix(const QString& path) const;

private:
    Mode m_mode;
    QString m_defaultSuffix;
    QString m_initialName;
    int m_viewMode;
    QString m_title;
    QString m_directory;
    QStringList m_nameFilters;
    bool m_overwritePrompt = false;
};

// "*.bmp" becomes "*.[bB][mM][pP]", so a case-sensitive file system still finds "X.BMP".
QString caseInsensitivePattern(const QString& pattern);

}  // namespace calivue
