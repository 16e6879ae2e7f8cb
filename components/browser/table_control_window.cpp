#include "components/browser/table_control_window.h"

#include <QLabel>

namespace browser {

TableControlWindow::TableControlWindow(QWidget& host)
    : QWidget(&host), label_(new QLabel(QStringLiteral("Files"), this)), gridHost_(new QWidget(this))
{
    label_->setObjectName(QString::number(kLabelId));
    label_->setFrameShape(QFrame::Box);
}

void TableControlWindow::resizeEvent(QResizeEvent*)
{
    label_->setGeometry(0, 0, width(), 22);
    gridHost_->setGeometry(0, 24, width(), std::max(0, height() - 24));
}

}  // namespace browser
