#pragma once

// A balloon tooltip for rectangles of other widgets: rounded body with an anchor toward
// the cursor, a translucent shadow, a border, one of 16 background effects, an optional
// icon and text in the tooltip markup (CPPMarkup).
//
// The owner calls Create, registers its widgets with AddTool and leaves the rest to the
// tooltip: it watches the owner's mouse and key events, shows the tip after the initial
// delay and hides it on a key or button, when the cursor leaves the tool, or after the
// auto-pop delay (none when that is 0).

#include "shared_ui/controls/CPPMarkup.h"
#include "shared_ui/controls/ToolTipLayout.h"
#include "shared_ui/printing/CCeXDib.h"

#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <vector>

namespace kxres {

// Which per-tool values a tool sets itself; the others come from the tooltip's defaults.
inline constexpr unsigned kMaskStyles = 0x1;
inline constexpr unsigned kMaskEffect = 0x2;
inline constexpr unsigned kMaskColours = 0x4;
inline constexpr unsigned kMaskDirection = 0x8;
inline constexpr unsigned kMaskBehaviour = 0x10;

// Behaviour bits.
inline constexpr unsigned kBehaviourRestartDelay = 0x1; // moving within a tool restarts the delay
inline constexpr unsigned kBehaviourKeepOverTip = 0x4;  // the tip stays while the cursor is on it
inline constexpr unsigned kBehaviourNoPopOverTip = 0x8; // auto-pop waits while the cursor is on it

// Colour table indexes of the defaults (COLORREF values, 0x00BBGGRR).
enum ToolTipColour {
    kColourText = 17,
    kColourBackground = 18,
    kColourMiddle = 19,
    kColourEnd = 20,
    kColourShadow = 24,
    kColourBorder = 25
};

struct PPToolInfo {
    QPointer<QWidget> window;
    int id = 0;
    QRect rect;   // in window's coordinates; empty = the whole widget
    QString text; // markup
    QPixmap icon;
    unsigned mask = 0;
    unsigned styles = 0;
    int direction = 0;
    int effect = 0;
    unsigned behaviour = 0;
    int granularity = 0;
    KxColorRef colourBackground = 0;
    KxColorRef colourMiddle = 0;
    KxColorRef colourEnd = 0;
};

class CPPToolTip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDelayAutoPop = 2;
    static constexpr int kDelayInitial = 3;

    explicit CPPToolTip(QWidget *parent = nullptr);
    ~CPPToolTip() override;

    // Makes the tip a popup of parent and loads the balloon or plain sizes; false
    // without a parent.
    bool Create(QWidget *parent, bool balloon = true);

    // A tool with the same window and rectangle is replaced, else one is appended.
    void AddTool(QWidget *window, const QString &text, const QRect &rect = QRect(), int id = 0);
    int GetToolCount() const { return int(m_tools.size()); }
    // The tool of an index; an empty record for an index that is not there.
    PPToolInfo GetTool(int index) const;
    // The tool under a point in screen coordinates: the innermost widget there, then its
    // ancestors; -1 when none.
    int FindTool(QPoint globalPos) const;

    // Tool -1 sets the defaults; any other index that is not a tool is ignored.
    void SetStyles(unsigned set, unsigned cleared, int tool = -1);
    void SetDirection(int direction, int tool = -1);
    void SetEffect(int effect, int granularity = 0, int tool = -1);
    void SetBehaviour(unsigned bits, int tool = -1);
    unsigned GetStyles() const { return m_styles; }
    int GetDirection() const { return m_direction; }
    int GetEffect() const { return m_effect; }
    unsigned GetBehaviour() const { return m_behaviour; }

    void SetColour(int index, KxColorRef colour);
    KxColorRef GetColour(int index) const;
    void SetSize(int index, int value);
    int GetSize(int index) const;
    void SetDefaultSizes(bool balloon);
    void SetDelayTime(int which, int milliseconds);
    int GetDelayTime(int which) const;
    void SetNotify(bool on) { m_notify = on; }
    void SetFont(const QFont &font) { m_markup.SetBaseFont(font); }
    CPPMarkup &Markup() { return m_markup; }

    // Hands one event of the owner to the tooltip (Create installs this for all of them).
    void RelayEvent(QObject *receiver, QEvent *event);

    // Shows the tip of a tool for the cursor at once; false when it has nothing to show.
    bool ShowTip(int tool, QPoint globalCursor);
    void HideTip();
    bool IsTipShown() const { return isVisible(); }
    int GetDisplayedTool() const { return m_displayed; }
    int GetPendingTool() const { return m_pending; }
    bool IsShowTimerActive() const { return m_showTimer.isActive(); }
    bool IsHideTimerActive() const { return m_hideTimer.isActive(); }
    // The tip as painted (window size, transparent around body and shadow).
    const QImage &GetTipImage() const { return m_image; }
    // The direction the tip was shown in after placement.
    int GetShownDirection() const { return m_shownDirection; }

signals:
    // Before each showing when SetNotify(true): the receiver may change text, icon and
    // colours of *info; its window, identifier and rectangle stay.
    void ToolTipNeeded(kxres::PPToolInfo *info, QPoint parentPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void OnShowTimer();
    void OnHideTimer();
    void OnMouseMove(QPoint globalPos);
    PPToolInfo WithDefaults(const PPToolInfo &tool) const;
    bool CursorOverTip(QPoint globalPos) const;
    void Render(const PPToolInfo &tool, QSize textSize, const QRect &body, QPoint anchor);
    bool ValidTool(int index) const { return index >= 0 && index < int(m_tools.size()); }
    template <typename F>
    void ForTool(int tool, F apply);

    std::vector<PPToolInfo> m_tools;
    QPointer<QWidget> m_parent;
    bool m_notify = false;
    int m_pending = -1;
    int m_displayed = -1;
    MarkupColours m_colours{};
    std::array<int, kSizeCount> m_sizes{};
    unsigned m_styles = kStyleAnchor | kStyleShadow | kStyleRounded | kStyleIconCentred;
    int m_direction = 3;
    int m_effect = 0;
    int m_granularity = 0;
    unsigned m_behaviour = 0;
    int m_autoPop = 5000;
    int m_initial = 500;
    QPoint m_lastPos{-1000000, -1000000};
    QTimer m_showTimer;
    QTimer m_hideTimer;
    CPPMarkup m_markup;
    CCeXDib m_dib;
    NoiseSource m_noise;
    QImage m_image;
    int m_shownDirection = 3;
};

} // namespace kxres
