#pragma once

#include "Tavro/Controls/Appearance.h"
#include "Tavro/Picker/FlowerLayout.h"
#include "Tavro/Picker/FlowerNode.h"
#include "Tavro/Picker/PickerPictures.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

namespace tavro {

class PickerViewModel;

// The radial picker: stems from the hub to one petal per destination, the hub standing for the last
// used destination, and a notice banner at the top. It blooms open when shown, follows the model
// for selection and private mode, and turns pointer hover and clicks into model calls.
class DestinationPickerView : public QWidget
{
    Q_OBJECT
public:
    // `bloom` is where the flower starts: 0 closed (it springs open when shown), 1 fully open.
    DestinationPickerView(PickerViewModel* model, double bloom, bool interactive, QWidget* parent = nullptr);
    ~DestinationPickerView() override;

    PickerViewModel* model() const { return m_model; }
    bool hubHovered() const { return m_hubHovered; }
    std::optional<int> focusedPetal() const { return m_focusedPetal; }
    bool interactive() const { return m_interactive; }

    FlowerLayout flowerLayout() const;
    QSize sizeHint() const override;

    // Where things are drawn now, in the view's coordinates.
    QPointF hubCentre() const;
    QRectF petalRect(int index) const;
    double petalBloom(int index) const;
    bool isBloomFinished() const;
    // What the pointer at `point` is over: a petal's index, the hub, or nothing.
    std::optional<int> petalAt(const QPointF& point) const;
    bool hubContains(const QPointF& point) const;
    // What the flower covers as drawn now, shadows left out: stems, petals with their key caps, the
    // hub and the notice. Worked out from their geometry, without drawing anything.
    QRegion drawnRegion() const;
    // The tooltip of the state mark under `point` ("Last used" on the clock); empty for none.
    QString toolTipAt(const QPointF& point) const;

    // Spring of the petals leaving the hub, and the stagger between petals.
    static constexpr double springResponse = 0.23;
    static constexpr double springDamping = 0.7;
    static constexpr double petalStagger = 0.012;
    static constexpr double hubDiameter = 112;

    // Seconds on a steady clock; the animations read the time here, and tests put a clock of their own.
    std::function<double()> clock = &steadySeconds;
    static double steadySeconds();

    // Springs of a petal's selection and of the hub's hover.
    static constexpr double selectionResponse = 0.3;
    static constexpr double selectionDamping = 0.65;
    static constexpr double hubResponse = 0.25;
    static constexpr double hubDamping = 0.7;

    // Where an underdamped spring released from 0 towards 1 is after `seconds` (it overshoots a little).
    static double spring(double seconds, double response = springResponse, double damping = springDamping);
    // The petal's scale for its selection as drawn now, moving with the selection spring.
    double petalSelectionScale(int index) const { return petalSelectionScale(index, node(index)); }
    double hubScale() const;
    bool isAnimating() const;
    // How far the change to or from private mode has faded in, 0 to 1 over 0.16 s (ease in and out).
    double privateFadeProgress() const;
    static constexpr double privateFadeSeconds = 0.16;

    // The label VoiceOver reads for the hub, and for each petal.
    QString hubAccessibilityLabel() const;
    FlowerNode node(int index) const;

Q_SIGNALS:
    void firstFrameDrawn();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum class Target { backdrop, hub, petal };
    struct Hit
    {
        Target target = Target::backdrop;
        int index = -1;
        bool operator==(const Hit&) const = default;
    };
    Hit hitAt(const QPointF& point) const;
    void updateHover(const QPointF& point);
    void setHubHovered(bool hovered);
    void moveFocus();
    std::optional<int> hubIndex() const;
    bool hubDimmed() const;
    double elapsedSeconds() const;
    // Seconds since `start`, none when that transition never began.
    std::optional<double> since(std::optional<double> start) const;

    // Every petal as drawn now: one resolution of the hot keys serves them all.
    QList<FlowerNode> nodes() const;
    FlowerNode node(int index, const QHash<QUuid, QString>& hotkeys) const;
    double petalSelectionScale(int index, const FlowerNode& petal) const;
    QRectF petalRect(int index, const FlowerNode& petal) const;

    void paintStems(QPainter& painter, Appearance appearance, const QList<FlowerNode>& petals) const;
    void paintPetals(QPainter& painter, Appearance appearance, const QList<FlowerNode>& petals) const;
    // A petal fades in over the first third of its bloom, and grows from 0.55 of its size.
    static double petalOpacity(double bloom);
    static double petalGrowth(double bloom);
    void paintHub(QPainter& painter, Appearance appearance) const;
    void paintHubDisc(QPainter& painter, Appearance appearance) const;
    // The hub's drawings stand in a centred column, headed in private mode by the private caption:
    // draws that caption and returns where the `contentHeight` below it begins.
    double paintHubCaption(QPainter& painter, double contentHeight, Appearance appearance) const;
    void paintHubLastUsed(QPainter& painter, const BrowserDestination& destination, Appearance appearance) const;
    // The Tavro mark, with "No destinations" under it when there are none.
    void paintHubMark(QPainter& painter, Appearance appearance) const;
    void paintPrivateCaption(QPainter& painter, const QPointF& centre, Appearance appearance) const;
    void paintNotice(QPainter& painter, Appearance appearance) const;
    // The notice as it fits, and its capsule when there is a notice.
    QString noticeText() const;
    std::optional<QRectF> noticeCapsule() const;
    // What the hub covers with its key cap and corner glyph, where it is drawn now.
    QPainterPath hubOutline() const;
    std::optional<QPointF> hubGlyphCentre(const BrowserDestination& destination) const;
    double privateCaptionHeight() const;

    QPointer<PickerViewModel> m_model;
    double m_bloom;
    bool m_hubHovered = false;
    std::optional<int> m_focusedPetal;
    bool m_interactive;

    void startFrames();

    std::optional<double> m_bloomStart;
    QTimer m_frameTimer;
    // Selection and hub-hover transitions: when they began and what they came from.
    std::optional<double> m_selectionStart;
    int m_previousSelection = -1;
    int m_shownSelection = -1;
    std::optional<double> m_hubStart;
    std::optional<double> m_fadeStart;
    QImage m_fadeFrom;
    QImage m_lastFrame;
    // The shadows of the petals, the hub and the notice, and the petals on the move, drawn once for all frames.
    mutable PickerPictures m_pictures;
    bool m_drawn = false;
    double m_hubScaleFrom = 1.0;
    std::optional<Hit> m_pressed;
    // The petal under the pointer, so hover selects a petal once, when the pointer enters it.
    std::optional<int> m_hoveredPetal;
};

} // namespace tavro
