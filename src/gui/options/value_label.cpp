#include "gui/options/value_label.h"

#include <QMouseEvent>

#include "gui/guard.h"

namespace pax {

void ValueLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDoubleClick) Guard("ValueLabel.DoubleClick", OnDoubleClick);
    QLabel::mouseDoubleClickEvent(event);
}

void ValueLabel::mousePressEvent(QMouseEvent* event) {
    if (OnClick && event->button() == Qt::LeftButton) Guard("ValueLabel.Click", OnClick);
    QLabel::mousePressEvent(event);
}

void ResettableBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnDoubleClick) Guard("ResettableBox.DoubleClick", OnDoubleClick);
    QGroupBox::mouseDoubleClickEvent(event);
}

}  // namespace pax
