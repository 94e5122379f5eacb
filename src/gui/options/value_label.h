#pragma once
// Small widgets of the options dialog that report clicks a plain Qt widget keeps to itself:
// a value label (double click, or a single click where the dialog wants one) and a group
// box that reports its double click.

#include <QGroupBox>
#include <QLabel>

#include <functional>

namespace pax {

class ValueLabel : public QLabel {
public:
    explicit ValueLabel(QWidget* parent = nullptr) : QLabel(parent) {}
    std::function<void()> OnDoubleClick;
    std::function<void()> OnClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

class ResettableBox : public QGroupBox {
public:
    ResettableBox(const QString& title, QWidget* parent = nullptr) : QGroupBox(title, parent) {}
    std::function<void()> OnDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace pax
