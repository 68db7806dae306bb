// Paints the program's icon (a blue 'M' outlined in black on a light cyan
// square with a black border) in several sizes, writes the same drawing as
// icon.svg, and paints the hand cursor HAND-M.CUR, into the given folder.
//
//   make_assets ASSETS_FOLDER
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QtEndian>

#include <iterator>

namespace {

// The drawing on a grid of 16 units: the border is one unit wide, the letter a
// path of straight strokes, so it reads even at 16 pixels.
constexpr QPointF kLetter[] = {{3, 13},  {3, 3},   {5, 3},  {8, 8},    {11, 3}, {13, 3},
                               {13, 13}, {11, 13}, {11, 7}, {8, 11.5}, {5, 7},  {5, 13}};
constexpr qreal kLetterPen = 0.8;
const QColor kFace(0xa8, 0xf0, 0xf8);
const QColor kLetterColour(0x10, 0x40, 0xe0);

QImage icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    const qreal border = std::max<qreal>(1, size / 16.0);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(0, 0, size, size));
    p.setBrush(kFace);
    p.drawRect(QRectF(border, border, size - 2 * border, size - 2 * border));

    const qreal s = size / 16.0;
    QPainterPath m;
    m.moveTo(kLetter[0] * s);
    for (std::size_t i = 1; i < std::size(kLetter); ++i) {
        m.lineTo(kLetter[i] * s);
    }
    m.closeSubpath();
    p.setBrush(kLetterColour);
    p.setPen(QPen(Qt::black, std::max<qreal>(1, s * kLetterPen), Qt::SolidLine, Qt::SquareCap,
                  Qt::MiterJoin));
    p.drawPath(m);
    return image;
}

// The same drawing for the scalable icon theme folder.
QByteArray svgIcon() {
    QStringList points;
    for (const QPointF& point : kLetter) {
        points << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
    }
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\"\n"
               "     viewBox=\"0 0 16 16\">\n"
               "  <rect width=\"16\" height=\"16\" fill=\"#000000\"/>\n"
               "  <rect x=\"1\" y=\"1\" width=\"14\" height=\"14\" fill=\"%1\"/>\n"
               "  <polygon points=\"%2\"\n"
               "           fill=\"%3\" stroke=\"#000000\" stroke-width=\"%4\" "
               "stroke-linejoin=\"miter\"/>\n"
               "</svg>\n")
        .arg(kFace.name(), points.join(QLatin1Char(' ')), kLetterColour.name())
        .arg(kLetterPen)
        .toUtf8();
}

// A pointing hand, 32 x 32, its finger tip at (11, 1).
QImage hand() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(9, 1, 5, 16), 2.5, 2.5);       // the finger
    path.addRoundedRect(QRectF(13.5, 10, 4.5, 9), 2.2, 2.2);  // knuckles
    path.addRoundedRect(QRectF(17.5, 11, 4.5, 9), 2.2, 2.2);
    path.addRoundedRect(QRectF(21.5, 12, 4.5, 9), 2.2, 2.2);
    path.addRoundedRect(QRectF(9, 15, 17, 12), 4, 4);    // the palm
    path.addRoundedRect(QRectF(4, 14, 6, 5), 2.5, 2.5);  // the thumb
    path.setFillRule(Qt::WindingFill);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(path.simplified());
    return image;
}

bool writeCursor(const QString& path, const QImage& image, int hotX, int hotY) {
    QByteArray data;
    const auto put16 = [&data](quint16 v) { data.append(char(v & 0xff)).append(char(v >> 8)); };
    const auto put32 = [&](quint32 v) {
        put16(quint16(v & 0xffff));
        put16(quint16(v >> 16));
    };
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    const quint32 bytes = 40 + w * h * 4 + maskStride * h;
    put16(0);
    put16(2);  // a cursor
    put16(1);
    data.append(char(w)).append(char(h)).append(char(0)).append(char(0));
    put16(quint16(hotX));
    put16(quint16(hotY));
    put32(bytes);
    put32(22);
    put32(40);
    put32(quint32(w));
    put32(quint32(h * 2));
    put16(1);
    put16(32);
    put32(0);
    put32(quint32(w * h * 4 + maskStride * h));
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            data.append(char(qBlue(c)))
                .append(char(qGreen(c)))
                .append(char(qRed(c)))
                .append(char(qAlpha(c)));
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            }
        }
        data.append(row);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: make_assets ASSETS_FOLDER");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        if (!icon(size).save(folder + QStringLiteral("/icon-%1.png").arg(size))) {
            return 1;
        }
    }
    QFile svg(folder + QStringLiteral("/icon.svg"));
    const QByteArray svgText = svgIcon();
    if (!svg.open(QIODevice::WriteOnly) || svg.write(svgText) != svgText.size()) {
        return 1;
    }
    return writeCursor(folder + QStringLiteral("/HAND-M.CUR"), hand(), 11, 1) ? 0 : 1;
}
