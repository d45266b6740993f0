#include "windows/text/formaticons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace alambix {

namespace {

// Drawn on a grid of 16 x 16 units, scaled to the rectangle asked for.
class FormatIconEngine : public QIconEngine {
public:
    FormatIconEngine(FormatPicture picture, const QColor& colour)
        : m_picture(picture), m_colour(colour) {}

    QIconEngine* clone() const override { return new FormatIconEngine(m_picture, m_colour); }
    QString key() const override { return QStringLiteral("alambix-format"); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const QPalette palette = QApplication::palette();
        const QColor ink = mode == QIcon::Disabled
                               ? palette.color(QPalette::Disabled, QPalette::WindowText)
                               : palette.color(QPalette::Active, QPalette::WindowText);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::TextAntialiasing);
        const double side = std::min(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2,
                           rect.y() + (rect.height() - side) / 2);
        painter->scale(side / 16.0, side / 16.0);
        draw(*painter, ink, mode == QIcon::Disabled);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

private:
    static void letter(QPainter& painter, const QRectF& box, const QString& text, double size,
                       bool bold = false, bool italic = false,
                       Qt::Alignment align = Qt::AlignCenter) {
        QFont font = QApplication::font();
        font.setPixelSize(1000); // scaled below: a size in units of the grid
        font.setBold(bold);
        font.setItalic(italic);
        painter.save();
        painter.translate(box.center());
        painter.scale(size / 1000.0, size / 1000.0);
        painter.setFont(font);
        const QRectF scaled(-box.width() / 2 * 1000.0 / size, -box.height() / 2 * 1000.0 / size,
                            box.width() * 1000.0 / size, box.height() * 1000.0 / size);
        painter.drawText(scaled, align, text);
        painter.restore();
    }

    static void lines(QPainter& painter, const QColor& ink, const double (&spans)[4][2]) {
        painter.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < 4; ++i)
            painter.drawLine(QPointF(spans[i][0], 3 + i * 3.4), QPointF(spans[i][1], 3 + i * 3.4));
    }

    static void arrow(QPainter& painter, const QColor& ink, bool back) {
        if (!back) {
            painter.translate(16, 0);
            painter.scale(-1, 1);
        }
        QPainterPath path;
        path.moveTo(3.5, 7);
        path.cubicTo(6, 3.5, 12.5, 3.5, 13.5, 9);
        path.cubicTo(14, 11.5, 12.5, 13, 11, 13.5);
        painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        QPainterPath head;
        head.moveTo(1.5, 3.5);
        head.lineTo(6.5, 8.5);
        head.lineTo(1.5, 9.5);
        head.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(head);
    }

    void draw(QPainter& painter, const QColor& ink, bool disabled) const {
        painter.setPen(ink);
        switch (m_picture) {
        case FormatPicture::Undo:
        case FormatPicture::Redo:
            arrow(painter, ink, m_picture == FormatPicture::Undo);
            break;
        case FormatPicture::Bold: // "G", gras
            letter(painter, QRectF(0, 0, 16, 16), QStringLiteral("G"), 14, true);
            break;
        case FormatPicture::Italic:
            letter(painter, QRectF(0, 0, 16, 16), QStringLiteral("I"), 14, false, true);
            break;
        case FormatPicture::Underline: // "S", souligné
            letter(painter, QRectF(0, -1.5, 16, 14), QStringLiteral("S"), 13);
            painter.setPen(QPen(ink, 1.3));
            painter.drawLine(QPointF(3.5, 14.5), QPointF(12.5, 14.5));
            break;
        case FormatPicture::Subscript:
        case FormatPicture::Superscript: {
            const bool sub = m_picture == FormatPicture::Subscript;
            letter(painter, QRectF(0, 1, 11, 14), QStringLiteral("x"), 13);
            letter(painter, QRectF(9, sub ? 8 : 0, 7, 8), QStringLiteral("2"), 8, true);
            break;
        }
        case FormatPicture::TextColour:
            letter(painter, QRectF(0, -2, 16, 14), QStringLiteral("A"), 12, true);
            painter.fillRect(QRectF(2, 12.5, 12, 3), disabled             ? ink
                                                     : m_colour.isValid() ? m_colour
                                                                          : ink);
            break;
        case FormatPicture::AlignLeft: {
            const double spans[4][2] = {{2, 14}, {2, 10}, {2, 14}, {2, 9}};
            lines(painter, ink, spans);
            break;
        }
        case FormatPicture::AlignCentre: {
            const double spans[4][2] = {{2, 14}, {4, 12}, {2, 14}, {5, 11}};
            lines(painter, ink, spans);
            break;
        }
        case FormatPicture::AlignRight: {
            const double spans[4][2] = {{2, 14}, {6, 14}, {2, 14}, {7, 14}};
            lines(painter, ink, spans);
            break;
        }
        case FormatPicture::AlignJustify: {
            const double spans[4][2] = {{2, 14}, {2, 14}, {2, 14}, {2, 14}};
            lines(painter, ink, spans);
            break;
        }
        case FormatPicture::BulletList:
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            for (int i = 0; i < 3; ++i)
                painter.drawEllipse(QPointF(3, 3.5 + i * 4.5), 1.5, 1.5);
            painter.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::FlatCap));
            for (int i = 0; i < 3; ++i)
                painter.drawLine(QPointF(6.5, 3.5 + i * 4.5), QPointF(14.5, 3.5 + i * 4.5));
            break;
        case FormatPicture::Symbol:
            letter(painter, QRectF(0, 0, 16, 16), QStringLiteral("Ω"), 14);
            break;
        case FormatPicture::Formula:
            letter(painter, QRectF(-0.5, 0, 7, 14), QStringLiteral("H"), 10, true);
            letter(painter, QRectF(5.5, 6.5, 4, 8), QStringLiteral("2"), 7, true);
            letter(painter, QRectF(8.5, 0, 8, 14), QStringLiteral("O"), 10, true);
            break;
        }
    }

    FormatPicture m_picture;
    QColor m_colour;
};

} // namespace

QIcon formatIcon(FormatPicture picture, const QColor& colour) {
    return QIcon(new FormatIconEngine(picture, colour));
}

} // namespace alambix
