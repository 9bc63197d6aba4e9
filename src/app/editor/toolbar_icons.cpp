// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor/toolbar_icons.h"

#include "dialogs/drawn_picture.h"

#include <QPainter>

namespace {

// The application icon keeps its navy, and so do marks on a picture's own light
// fill; outlines follow the palette.
const QColor navy(0, 0, 85);
const QColor paper(255, 255, 240);
const QColor fold(170, 170, 255);

void page(QPainter& p, const QColor& ink, int x, int y)
{
    p.setPen(ink);
    p.setBrush(paper);
    p.drawPolygon(QPolygon({{x, y}, {x + 7, y}, {x + 10, y + 3}, {x + 10, y + 12}, {x, y + 12}}));
    p.drawLine(x + 7, y, x + 7, y + 3);
    p.drawLine(x + 7, y + 3, x + 10, y + 3);
}

void draw(QPainter& p, Command id, const QColor& ink)
{
    switch (id) {
    case Command::FileNew:
        page(p, ink, 3, 1);
        break;
    case Command::FileOpen:
        p.setPen(ink);
        p.setBrush(QColor(255, 255, 170));
        p.drawPolygon(QPolygon({{1, 4}, {5, 4}, {6, 5}, {13, 5}, {13, 13}, {1, 13}}));
        p.setBrush(QColor(255, 220, 120));
        p.drawPolygon(QPolygon({{3, 8}, {15, 8}, {13, 13}, {1, 13}}));
        break;
    case Command::FileSave:
        p.setPen(ink);
        p.setBrush(fold);
        p.drawRect(1, 1, 13, 12);
        p.setBrush(paper);
        p.drawRect(4, 1, 7, 5);
        p.fillRect(5, 9, 5, 4, navy); // on the disk's own light fill, not the toolbar
        break;
    case Command::EditCut:
        p.setPen(QPen(ink, 1));
        p.drawLine(5, 1, 9, 9);
        p.drawLine(10, 1, 6, 9);
        p.drawEllipse(3, 9, 4, 4);
        p.drawEllipse(8, 9, 4, 4);
        break;
    case Command::EditCopy:
        page(p, ink, 1, 0);
        page(p, ink, 5, 2);
        break;
    case Command::EditPaste:
        p.setPen(ink);
        p.setBrush(QColor(200, 150, 90));
        p.drawRect(1, 2, 10, 12);
        p.setBrush(fold);
        p.drawRect(4, 1, 4, 2);
        page(p, ink, 5, 2);
        break;
    case Command::FilePrint:
        p.setPen(ink);
        p.setBrush(paper);
        p.drawRect(4, 1, 8, 5);
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(1, 6, 14, 6);
        p.fillRect(11, 8, 2, 1, QColor(0, 160, 0));
        break;
    case Command::AppAbout:
        p.setPen(ink);
        p.setBrush(QColor(255, 255, 170));
        p.drawEllipse(2, 1, 12, 12);
        p.setPen(navy); // on the yellow, whatever the theme
        p.setFont(QFont(QStringLiteral("Liberation Serif"), 9, QFont::Bold));
        p.drawText(QRect(2, 1, 12, 12), Qt::AlignCenter, QStringLiteral("?"));
        break;
    default:
        break;
    }
}

// The desktop's own picture of a command, when its icon theme has one.
QString themeName(Command id)
{
    switch (id) {
    case Command::FileNew:
        return QStringLiteral("document-new");
    case Command::FileOpen:
        return QStringLiteral("document-open");
    case Command::FileSave:
        return QStringLiteral("document-save");
    case Command::EditCut:
        return QStringLiteral("edit-cut");
    case Command::EditCopy:
        return QStringLiteral("edit-copy");
    case Command::EditPaste:
        return QStringLiteral("edit-paste");
    case Command::FilePrint:
        return QStringLiteral("document-print");
    case Command::AppAbout:
        return QStringLiteral("help-about");
    default:
        return QString();
    }
}

void drawTree(QPainter& p, int size, int variant)
{
    p.scale(size / 64.0, size / 64.0);
    const QColor boxes[] = {QColor(255, 255, 170), QColor(170, 255, 255), QColor(255, 170, 170)};
    p.setPen(QPen(navy, 2));
    // Two parents joined, a line down to two children.
    p.drawLine(20, 14, 44, 14);
    p.drawLine(32, 14, 32, 36);
    p.drawLine(14, 36, 50, 36);
    p.drawLine(14, 36, 14, 44);
    p.drawLine(50, 36, 50, 44);
    p.setBrush(boxes[variant % 3]);
    p.drawRoundedRect(4, 6, 22, 16, 4, 3);
    p.drawRoundedRect(38, 6, 22, 16, 4, 3);
    p.setBrush(boxes[(variant + 1) % 3]);
    p.drawRoundedRect(3, 42, 22, 16, 4, 3);
    p.drawRoundedRect(39, 42, 22, 16, 4, 3);
}

} // namespace

QIcon toolbarIcon(Command command, const QColor& ink)
{
    const QIcon drawn = drawnIcon({16, 15}, [=](QPainter& p) { draw(p, command, ink); });
    const QString name = themeName(command);
    return name.isEmpty() ? drawn : QIcon::fromTheme(name, drawn);
}

QPixmap treePicture(int size, qreal ratio, int variant)
{
    return drawnPixmap({size, size}, ratio,
                       [size, variant](QPainter& p) { drawTree(p, size, variant); });
}

QIcon treeIcon()
{
    return drawnIcon({64, 64}, [](QPainter& p) { drawTree(p, 64, 0); });
}
