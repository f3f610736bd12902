// The About box: the program's logo, name, a notice and its version. The caption comes from the
// table in use; the contents always come from the program's own English resources, as the
// box describes the program itself rather than its translation.
#pragma once

#include <QDialog>

class QLabel;

namespace calivue {

class StringTable;

class cAboutDlg : public QDialog {
    Q_OBJECT

public:
    // `active` is the table the program runs with; only its "About" and product-name strings
    // are read.
    explicit cAboutDlg(const StringTable& active, QWidget* parent = nullptr);

    QString productText() const;
    QString noticeText() const;
    QString versionText() const;

    // The program's version, "major.minor.patch".
    static QString version();
    // The logo, drawn rather than loaded: a thermometer over a warm-to-cold gradient.
    static QPixmap logo(int size);

private:
    QLabel* m_product = nullptr;
    QLabel* m_notice = nullptr;
    QLabel* m_version = nullptr;
};

}  // namespace calivue
