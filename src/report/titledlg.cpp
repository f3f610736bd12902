#include "report/titledlg.h"

#include "desktop/datefield.h"
#include "report/fitnotes.h"
#include "report/reportstylebox.h"

#include "document/reportdoc.h"
#include "report/engine/reporttext.h"

#include "core/fitcheck.h"
#include "desktop/messagedlg.h"
#include "platform/errortext.h"
#include "platform/pictureloader.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"
#include "platform/textformat.h"

#include <QDateTimeEdit>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include <utility>

namespace calivue {

namespace {
constexpr int kNameLimit = 40;
constexpr int kCommentsLimit = 2200;
constexpr int kCaptionLimit = 25;

QLatin1String captionKey(int index)
{
    return QLatin1String(kTitleCaptionKeys[static_cast<std::size_t>(index)]);
}
}  // namespace

TitleDlg::TitleDlg(ReportContext& context, QWidget* parent)
    : QWidget(parent), m_ctx(context), m_doc(*context.report)
{
    buildControls();
    initialise();
    connect(&m_doc, &CReportDoc::changed, this, [this](const ReportChange& change) {
        if (change.has(ReportPart::Project)) {
            // A new project starts from the stored company, author and logo; a read one shows
            // its own.
            if (m_doc.isUntitled() && m_doc.title() == ReportTitle{})
                resetForProjectLoad();
            else
                showDocumentTitle();
            showDocumentCaptions();
            return;
        }
        if (change.has(ReportPart::Title)) showDocumentTitle();
        if (change.has(ReportPart::Captions)) showDocumentCaptions();
    });
    // What the page starts with (the stored values) is the new project's title.
    if (m_doc.isUntitled() && m_doc.title() == ReportTitle{})
        m_doc.setTitle(title(), false);
    else
        showDocumentTitle();
    pushCaptions();
}

TitleDlg::~TitleDlg()
{
    // Company and author persist from one run to the next, changed or not.
    writeSetting(reportkey::Company, m_company->text());
    writeSetting(reportkey::Author, m_author->text());
    writeChangedCaptions();
}

void TitleDlg::buildControls()
{
    auto* grid = new QGridLayout(this);
    const auto lineEdit = [this](const char* name, int limit) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        box->setMaxLength(limit);
        return box;
    };
    for (int i = 0; i < 4; ++i) {
        m_captionBoxes[static_cast<std::size_t>(i)] =
            lineEdit(QStringLiteral("caption%1").arg(i + 1).toLatin1().constData(), kCaptionLimit);
        grid->addWidget(m_captionBoxes[static_cast<std::size_t>(i)], i, 0, Qt::AlignTop);
    }
    m_company = lineEdit("company", kNameLimit);
    m_author = lineEdit("author", kNameLimit);
    grid->addWidget(m_company, 0, 1, 1, 3);
    grid->addWidget(m_author, 1, 1, 1, 3);

    m_dated = new QRadioButton(this);
    m_dated->setObjectName(QStringLiteral("dated"));
    m_undated = new QRadioButton(uiText(sid::NoDate), this);
    m_undated->setObjectName(QStringLiteral("undated"));
    m_date = new QDateTimeEdit(QDateTime::currentDateTime(), this);
    m_date->setObjectName(QStringLiteral("titleDate"));
    m_date->setCalendarPopup(true);
    keepDateReadingOrder(m_date);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_dated);
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_undated);
    dateRow->addStretch();
    grid->addLayout(dateRow, 2, 1, 1, 3);

    m_comments = new QPlainTextEdit(this);
    m_comments->setObjectName(QStringLiteral("comments"));
    grid->addWidget(m_comments, 3, 1, 1, 3);

    m_preview = new QFrame(this);
    m_preview->setFrameShape(QFrame::Box);
    m_preview->installEventFilter(this);
    m_preview->setObjectName(QStringLiteral("logoPreview"));
    m_preview->setMinimumSize(240, 120);
    grid->addWidget(m_preview, 4, 1, 1, 3);
    m_logoPathBox = lineEdit("logoPath", 32767);
    m_logoPathBox->setReadOnly(true);
    grid->addWidget(m_logoPathBox, 5, 1);
    m_setImage = new QPushButton(uiText(sid::SetImage), this);
    m_setImage->setObjectName(QStringLiteral("setImage"));
    m_clearImage = new QPushButton(uiText(sid::ClearImage), this);
    m_clearImage->setObjectName(QStringLiteral("clearImage"));
    grid->addWidget(m_setImage, 5, 2);
    grid->addWidget(m_clearImage, 5, 3);
    m_newSurvey = new QPushButton(uiText(sid::NewSurveyCommand), this);
    m_newSurvey->setObjectName(QStringLiteral("newSurvey"));
    grid->addWidget(m_newSurvey, 6, 2, 1, 2);
    grid->addWidget(new cReportStyleBox(m_ctx, this), 7, 1, 1, 3);
    grid->setRowStretch(3, 1);

    connect(m_company, &QLineEdit::textChanged, this, [this] { markModified(); });
    connect(m_author, &QLineEdit::textChanged, this, [this] { markModified(); });
    connect(m_dated, &QRadioButton::clicked, this, [this] { onDateChoice(true); });
    connect(m_undated, &QRadioButton::clicked, this, [this] { onDateChoice(false); });
    connect(m_date, &QDateTimeEdit::dateTimeChanged, this, [this](const QDateTime& value) {
        if (!m_programmatic) m_titleDate = fromQDateTime(value);
        markModified();
    });
    connect(m_comments, &QPlainTextEdit::textChanged, this, &TitleDlg::onCommentsChanged);
    for (int i = 0; i < 4; ++i)
        connect(m_captionBoxes[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this,
                [this, i] { onCaptionEdited(i); });
    connect(m_setImage, &QPushButton::clicked, this, &TitleDlg::chooseImage);
    connect(m_clearImage, &QPushButton::clicked, this, &TitleDlg::clearImage);
    connect(m_newSurvey, &QPushButton::clicked, this, [this] {
        if (m_ctx.newSurvey) m_ctx.newSurvey();
    });
}

void TitleDlg::initialise()
{
    m_dated->setChecked(true);
    m_titleDate = fromQDateTime(m_date->dateTime());
    const bool custom = m_ctx.reportTemplate == ReportTemplate::Custom;
    for (int i = 0; i < 4; ++i) {
        QLineEdit* box = m_captionBoxes[static_cast<std::size_t>(i)];
        box->setReadOnly(!custom);
        // Custom captions come from the settings; with no report key at all the boxes stay
        // as they are (empty).
        if (!custom)
            box->setText(defaultCaption(i));
        else if (m_ctx.settings.hasReportKey())
            box->setText(m_ctx.settings.reportText(captionKey(i)).value_or(defaultCaption(i)));
    }
    if (const auto logo = m_ctx.settings.reportText(reportkey::LogoPath); logo && !logo->isEmpty())
        loadLogo(*logo);
    if (const auto company = m_ctx.settings.reportText(reportkey::Company))
        m_company->setText(*company);
    if (const auto author = m_ctx.settings.reportText(reportkey::Author))
        m_author->setText(*author);
    onCommentsChanged();
    m_initialised = true;
}

QString TitleDlg::defaultCaption(int index) const
{
    static constexpr std::array<int, 4> ids = {sid::CaptionCompany, sid::CaptionAuthor, sid::Date,
                                               sid::CaptionGeneralComments};
    return uiText(ids[static_cast<std::size_t>(index)]);
}

void TitleDlg::markModified() const
{
    if (m_initialised && !m_applying) m_doc.setTitle(title());
}

void TitleDlg::pushCaptions() const
{
    if (m_applying) return;
    ReportCaptions all = m_doc.captions();
    all.title = captions();
    m_doc.setCaptions(all);
}

void TitleDlg::showDocumentTitle()
{
    const ReportTitle t = m_doc.title();
    if (m_applying || t == title()) return;
    m_applying = true;
    // A project's logo that does not load leaves the logo shown as it was, and the user is
    // told which file and why (once for that file, not at every change of the title).
    const QString logo = toQString(t.logoPath);
    Error failure = Error::None;
    if (logo.isEmpty())
        dropLogo();
    else if ((failure = loadLogo(logo)) != Error::None && std::exchange(m_toldLogo, logo) != logo)
        cMessageDlg::messageBox(fileErrorText(failure, logo, FileKind::Picture),
                                cMessageDlg::IconExclamation, cMessageDlg::ButtonsOk, this);
    setCompany(toQString(t.company));
    setAuthor(toQString(t.author));
    setDateShown(t.dateShown);
    setTitleDate(t.titleDate);
    setComments(toQString(t.comments));
    m_applying = false;
    // A logo that does not load leaves the previous one, which the project then keeps too.
    m_doc.setTitle(title(), false);
}

void TitleDlg::showDocumentCaptions()
{
    const ReportCaptions all = m_doc.captions();
    if (m_applying) return;
    m_applying = true;
    const std::array<std::u16string, 4> shown = captions();
    for (int i = 0; i < 4; ++i)
        if (all.title[std::size_t(i)] != shown[std::size_t(i)])
            setCaption(i + 1, toQString(all.title[std::size_t(i)]));
    m_applying = false;
    pushCaptions();
}

void TitleDlg::writeSetting(QAnyStringView name, const QString& value)
{
    if (const auto error = m_ctx.settings.setReportText(name, value))
        cMessageDlg::messageBox(error->message, cMessageDlg::IconExclamation,
                                cMessageDlg::ButtonsOk, this);
}

void TitleDlg::onCommentsChanged()
{
    QString text = m_comments->toPlainText();
    // Typing stops at the limit; a project's text is shown as it was stored.
    if (!m_programmatic && text.size() > kCommentsLimit) {
        const bool was = std::exchange(m_programmatic, true);
        text.truncate(kCommentsLimit);
        m_comments->setPlainText(text);
        m_comments->moveCursor(QTextCursor::End);
        m_programmatic = was;
    }
    QPalette palette = m_comments->palette();
    const bool red = fitColour(FitField::TitleComments, toU16(text)) == FitColour::Red;
    palette.setColor(QPalette::Text, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    m_comments->setPalette(palette);
    m_comments->setToolTip(fitToolTip(FitField::TitleComments, text));
    markModified();
}

void TitleDlg::onCaptionEdited(int index)
{
    if (!m_initialised || m_programmatic) return;
    m_captionChanged[static_cast<std::size_t>(index)] = true;
    pushCaptions();
}

void TitleDlg::onDateChoice(bool shown)
{
    m_dated->setChecked(shown);
    m_undated->setChecked(!shown);
    m_date->setEnabled(shown);
    markModified();
}

ReportTitle TitleDlg::title() const
{
    ReportTitle t;
    t.logoPath = toU16(m_logoPath);
    t.company = toU16(m_company->text());
    t.author = toU16(m_author->text());
    t.dateShown = m_dated->isChecked();
    t.titleDate = m_titleDate;
    t.comments = toU16(m_comments->toPlainText());
    return t;
}

std::array<std::u16string, 4> TitleDlg::captions() const
{
    std::array<std::u16string, 4> out;
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = toU16(m_captionBoxes[i]->text());
    return out;
}

const QImage& TitleDlg::logo() const
{
    return m_logo;
}

QSize TitleDlg::logoSize() const
{
    return m_logoSize;
}

void TitleDlg::resetForProjectLoad()
{
    // The logo is the stored one again (or none), not what a failed project left behind.
    dropLogo();
    if (const auto logo = m_ctx.settings.reportText(reportkey::LogoPath); logo && !logo->isEmpty())
        loadLogo(*logo);
    m_company->setText(m_ctx.settings.reportText(reportkey::Company).value_or(QString()));
    m_author->setText(m_ctx.settings.reportText(reportkey::Author).value_or(QString()));
    setTitleDate(fromQDateTime(QDateTime::currentDateTime()));
    setDateShown(true);
    setComments(QString());
    markModified();
}

bool TitleDlg::setLogoPath(const QString& path)
{
    if (path.isEmpty()) {
        dropLogo();
        return true;
    }
    return loadLogo(path) == Error::None;
}

void TitleDlg::setCompany(const QString& text)
{
    m_company->setText(text);
}

void TitleDlg::setAuthor(const QString& text)
{
    m_author->setText(text);
}

void TitleDlg::setDateShown(bool shown)
{
    onDateChoice(shown);
}

void TitleDlg::setTitleDate(const cDateTime& date)
{
    m_titleDate = date;
    const QDateTime shown = toQDateTime(date);
    const bool was = std::exchange(m_programmatic, true);
    if (shown.isValid()) m_date->setDateTime(shown);
    m_programmatic = was;
    markModified();
}

void TitleDlg::setComments(const QString& text)
{
    const bool was = std::exchange(m_programmatic, true);
    m_comments->setPlainText(text);
    m_programmatic = was;
}

void TitleDlg::setCaption(int i, const QString& text)
{
    if (i < 1 || i > 4) return;
    const auto index = static_cast<std::size_t>(i - 1);
    writeSetting(captionKey(i - 1), text);
    const bool was = std::exchange(m_programmatic, true);
    m_captionBoxes[index]->setText(text);
    m_programmatic = was;
    m_captionChanged[index] = false;
    pushCaptions();
}

void TitleDlg::resetCaptions()
{
    for (int i = 1; i <= 4; ++i) setCaption(i, defaultCaption(i - 1));
}

void TitleDlg::writeChangedCaptions()
{
    for (std::size_t i = 0; i < m_captionBoxes.size(); ++i) {
        if (!m_captionChanged[i]) continue;
        writeSetting(captionKey(static_cast<int>(i)), m_captionBoxes[i]->text());
        m_captionChanged[i] = false;
    }
}

void TitleDlg::leavePage()
{
    writeChangedCaptions();
}

}  // namespace calivue
