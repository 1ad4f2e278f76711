#include "gui/ui/TreeImages.h"

#include <QPainter>
#include <QPolygonF>
#include <array>

#include "core/document/ElementKinds.h"

namespace trovique::gui {
namespace {

const QColor kFolder(232, 184, 72);
const QColor kFolderOpen(244, 206, 110);
const QColor kPage(252, 252, 248);
const QColor kInk(70, 70, 80);
const QColor kFault(205, 40, 40);

void DrawFolder(QPainter& p, bool open) {
    p.setPen(QPen(kFolder.darker(160), 1));
    p.setBrush(kFolder);
    p.drawPolygon(
        QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {8, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
    if (open) {
        p.setBrush(kFolderOpen);
        p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
    } else {
        p.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
    }
}

void DrawPage(QPainter& p, const QColor& paper) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(paper);
    p.drawPolygon(QPolygonF({{3.5, 1.5}, {10, 1.5}, {12.5, 4}, {12.5, 14.5}, {3.5, 14.5}}));
    p.setPen(QPen(QColor(130, 150, 190), 1));
    for (const double y : {5.5, 8.0, 10.5}) {
        p.drawLine(QPointF(5, y), QPointF(11, y));
    }
}

void DrawFaultMark(QPainter& p) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kFault);
    p.drawEllipse(QRectF(8.5, 8.5, 7, 7));
    p.setPen(QPen(Qt::white, 1.6));
    p.drawLine(QPointF(10.5, 10.5), QPointF(13.5, 13.5));
    p.drawLine(QPointF(13.5, 10.5), QPointF(10.5, 13.5));
}

void DrawLock(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 100), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9.5, 6.5, 5, 6), 0, 180 * 16);
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(236, 190, 60));
    p.drawRect(QRectF(8.5, 9.5, 7, 6));
}

void DrawPencil(QPainter& p) {
    p.setPen(QPen(QColor(40, 90, 160), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 14), QPointF(15, 8));
    p.setPen(QPen(QColor(250, 170, 60), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(13.5, 9.5), QPointF(15, 8));
}

void Draw(QPainter& p, int number) {
    switch (number) {
        case kImageNodeValid:
            DrawFolder(p, false);
            break;
        case kImageNodeValidExpanded:
            DrawFolder(p, true);
            break;
        case kImageNodeInvalid:
            DrawFolder(p, false);
            DrawFaultMark(p);
            break;
        case kImageNodeInvalidExpanded:
            DrawFolder(p, true);
            DrawFaultMark(p);
            break;
        case kImageLeafHighlight:
            DrawPage(p, QColor(255, 236, 110));
            break;
        case kImageLeafInvalid:
            DrawPage(p, kPage);
            DrawFaultMark(p);
            break;
        case kImageLeafReEdit:
            DrawPage(p, kPage);
            DrawPencil(p);
            break;
        case kImageLeafProtected:
            DrawPage(p, kPage);
            DrawLock(p);
            break;
        default:
            DrawPage(p, kPage);
            break;
    }
}

QIcon MakeImage(int number) {
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        Draw(painter, number);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

QIcon TreeImage(int number) {
    static const std::array<QIcon, 16> images = [] {
        std::array<QIcon, 16> all;
        for (int i = 1; i < 16; ++i) {
            all[static_cast<std::size_t>(i)] = MakeImage(i);
        }
        return all;
    }();
    return number >= 1 && number <= 15 ? images[static_cast<std::size_t>(number)] : QIcon();
}

}  // namespace trovique::gui
