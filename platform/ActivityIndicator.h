#pragma once
// A spinning activity indicator: amber spokes turning on a dark rounded
// square, seen over any screen. Hidden while stopped when hidesWhenStopped.
#include <QTimer>
#include <QWidget>

namespace platform {

class ActivityIndicator : public QWidget {
    Q_OBJECT
public:
    enum class Style { Medium = 100, Large = 101 };
    explicit ActivityIndicator(QWidget* parent = nullptr, Style style = Style::Large);

    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }
    void setHidesWhenStopped(bool hides);
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    // Places the indicator's centre on a point of its parent.
    void setCenter(QPoint centre);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int phase_ = 0;
    bool animating_ = false;
    bool hidesWhenStopped_ = true;
};

} // namespace platform
