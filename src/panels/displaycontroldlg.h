// cDisplayControlDlg: the first page of the options sheet. It edits how the thermal image is
// shown — the colour span (typed or automatic), the palette, the blend with the visible
// photograph, the interpolation, the zoom, the area-select size, the orientation and the
// alignment of the photograph — and hosts the pan control, a viewer on the document's second
// array display on which the user drags the zoom window. Every change goes to the document;
// the page keeps no analysis state of its own beyond its controls.
#pragma once

#include "document/docchange.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace calivue {

class CVantoroDoc;
class cArrayDisplay;
class cObjectViewer;

class cDisplayControlDlg : public QWidget {
    Q_OBJECT

public:
    // Entries of the blend list and the blend values they stand for.
    enum BlendEntry { BlendThermalAbove = 9, BlendThermalBelow = 10, BlendEntryCount = 11 };
    static constexpr int kPercentageCount = 21;  // "0%" … "100%" in steps of 5

    explicit cDisplayControlDlg(QWidget* parent = nullptr);
    // The pan viewer is emptied first, so the pan display (owned by the view's display set)
    // must still exist when the page goes, or AttachDocument(nullptr, nullptr) must come first.
    ~cDisplayControlDlg() override;

    // Gives the page the document and the pan display (the document's second array display,
    // already in navigation mode and kept in step with the document by the display set).
    // Neither is owned. Fills the controls from them and fits the pan viewer. With a null
    // document the page ignores every change; with a null pan the viewer stays empty.
    void AttachDocument(CVantoroDoc* doc, cArrayDisplay* pan);
    // Every control from the image and the document, without handing anything back.
    void Refresh();
    // The two span edits from the image's span. (The pan display repaints through the
    // display set, which follows the document.)
    void RefreshSpan();
    // Fits the pan viewer into its frame at the picture's aspect for the current orientation:
    // centred horizontally, aligned to the top.
    void FitPanViewer();
    cObjectViewer* panViewer() const { return m_panViewer; }

    // The blend value that blend-list entry `entry` stands for; entries 9 and 10 add the
    // percentage index. −1 for an entry outside the list.
    static int blendValueFor(int entry, int percentageIndex);
    // The blend-list entry showing `value` and, for the threshold modes, the percentage
    // index (else 0). Values the list does not know show as entry 4, "100 % Visible".
    static int blendEntryFor(int value, int* percentageIndex = nullptr);

    // The controls, for the sheet and for tests.
    QLineEdit* spanLowEdit() const { return m_spanEdit[0]; }
    QLineEdit* spanHighEdit() const { return m_spanEdit[1]; }
    QPushButton* autoButton() const { return m_auto; }
    QComboBox* paletteList() const { return m_palette; }
    QComboBox* blendList() const { return m_blend; }
    QComboBox* percentageList() const { return m_percentage; }
    QComboBox* interpolationList() const { return m_interpolation; }
    QComboBox* zoomList() const { return m_zoom; }
    QComboBox* areaList() const { return m_area; }
    QComboBox* orientationList() const { return m_orientation; }
    QWidget* panFrame() const { return m_panFrame; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum SpanEnd { Low = 0, High = 1 };

    void BuildControls();
    void FillLists();
    void ConnectControls();
    void ConnectDocument();
    void OnDocumentChanged(DocChanges what);
    bool HasImage() const;
    // Every list from the image and the document, signals blocked.
    void RefreshLists();

    // --- list and button choices -------------------------------------------------------
    void OnPalette(int index);
    void OnBlend(int index);
    void OnPercentage(int index);
    void OnInterpolation(int index);
    void OnZoom(int index);
    void OnArea(int index);
    void OnOrientation(int index);
    void OnAuto();
    void OnAlign(bool horizontal, int direction);
    void OnAlignReset();

    // --- span edits (displaycontroldlg_span.cpp) -----------------------------------------
    // The edit lost the focus (or Return was pressed): check and apply its text.
    void OnSpanKillFocus(SpanEnd end);
    // A change notification of the edit: applies the remembered text when the new text
    // equals it, then remembers the new text.
    void OnSpanTextChanged(SpanEnd end, const QString& text);
    // Checks the typed value and hands it to the document; false when it was refused.
    bool ApplySpanValue(SpanEnd end, double value);
    void RefuseSpanValue(SpanEnd end, int messageId);
    QString SpanText(SpanEnd end, int raw) const;

    QPointer<CVantoroDoc> m_doc;
    cArrayDisplay* m_pan = nullptr;

    std::array<QLineEdit*, 2> m_spanEdit{};
    std::array<QString, 2> m_seenText;  // the text each span edit last showed
    // The value last typed into each edit and applied, with the count it was applied as and
    // that count's reading then. Counts can be coarser than the tenth an edit shows (80 typed
    // lands on a count reading 80.05), so the edit keeps showing what was typed while the
    // span end still is that count reading that value.
    struct TypedEnd {
        int raw = -1;
        double reading = 0.0;
        double typed = 0.0;
    };
    std::array<TypedEnd, 2> m_typed;
    QPushButton* m_auto = nullptr;
    QComboBox* m_palette = nullptr;
    QComboBox* m_blend = nullptr;
    QComboBox* m_percentage = nullptr;
    QComboBox* m_interpolation = nullptr;
    QComboBox* m_zoom = nullptr;
    QComboBox* m_area = nullptr;
    QComboBox* m_orientation = nullptr;
    QGroupBox* m_panGroup = nullptr;
    QWidget* m_panFrame = nullptr;
    cObjectViewer* m_panViewer = nullptr;
    QList<QMetaObject::Connection> m_docConnections;
};

}  // namespace calivue
