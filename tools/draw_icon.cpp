// Draws the program's icon: a care sheet with its folded corner and lines of
// text on a blue tile, with the green cross of care. The same shapes are
// written once as SVG (the scalable icon) and painted into the PNG sizes of
// the desktop's icon theme.
//
//   draw_icon <folder>   writes <folder>/hicolor/scalable/apps/<id>.svg and
//                        <folder>/hicolor/<n>x<n>/apps/<id>.png
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace {

const char *const kIconName = "example.tiravon.Tiravon";
const int kSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};

// One filled shape on a 256 by 256 canvas.
struct Shape
{
    enum Kind { RoundedRect, Polygon, Circle } kind;
    std::vector<QPointF> points;   // rect: top-left, bottom-right; circle: centre, (radius, 0)
    double radius = 0;             // corner radius of a rounded rectangle
    QColor color;
};

std::vector<Shape> iconShapes()
{
    const QColor tile(0x1f, 0x5f, 0x8b), paper(Qt::white), fold(0xc8, 0xd6, 0xe5), line(0x8f, 0xa8, 0xc0),
        green(0x2e, 0x9e, 0x6a);
    std::vector<Shape> shapes;
    shapes.push_back({Shape::RoundedRect, {{16, 16}, {240, 240}}, 44, tile});
    shapes.push_back({Shape::Polygon, {{60, 36}, {158, 36}, {196, 74}, {196, 220}, {60, 220}}, 0, paper});
    shapes.push_back({Shape::Polygon, {{158, 36}, {158, 74}, {196, 74}}, 0, fold});
    for (int y : {92, 116, 140})
        shapes.push_back({Shape::RoundedRect, {{80, double(y)}, {176, double(y + 10)}}, 5, line});
    shapes.push_back({Shape::RoundedRect, {{80, 164}, {128, 174}}, 5, line});
    shapes.push_back({Shape::Circle, {{182, 186}, {50, 0}}, 0, green});
    shapes.push_back({Shape::RoundedRect, {{172, 152}, {192, 220}}, 4, paper});
    shapes.push_back({Shape::RoundedRect, {{148, 176}, {216, 196}}, 4, paper});
    return shapes;
}

QString svgOf(const std::vector<Shape> &shapes)
{
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
    for (const Shape &s : shapes) {
        const QString fill = s.color.name();
        switch (s.kind) {
        case Shape::RoundedRect:
            out << "  <rect x=\"" << s.points[0].x() << "\" y=\"" << s.points[0].y() << "\" width=\""
                << s.points[1].x() - s.points[0].x() << "\" height=\"" << s.points[1].y() - s.points[0].y()
                << "\" rx=\"" << s.radius << "\" fill=\"" << fill << "\"/>\n";
            break;
        case Shape::Polygon: {
            out << "  <polygon points=\"";
            for (std::size_t i = 0; i < s.points.size(); ++i)
                out << (i ? " " : "") << s.points[i].x() << "," << s.points[i].y();
            out << "\" fill=\"" << fill << "\"/>\n";
            break;
        }
        case Shape::Circle:
            out << "  <circle cx=\"" << s.points[0].x() << "\" cy=\"" << s.points[0].y() << "\" r=\""
                << s.points[1].x() << "\" fill=\"" << fill << "\"/>\n";
            break;
        }
    }
    out << "</svg>\n";
    return svg;
}

QImage pngOf(const std::vector<Shape> &shapes, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    painter.setPen(Qt::NoPen);
    for (const Shape &s : shapes) {
        painter.setBrush(s.color);
        switch (s.kind) {
        case Shape::RoundedRect:
            painter.drawRoundedRect(QRectF(s.points[0], s.points[1]), s.radius, s.radius);
            break;
        case Shape::Polygon:
            painter.drawPolygon(QPolygonF(QList<QPointF>(s.points.begin(), s.points.end())));
            break;
        case Shape::Circle:
            painter.drawEllipse(s.points[0], s.points[1].x(), s.points[1].x());
            break;
        }
    }
    painter.end();
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_icon <folder>\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor/");
    const QString name = QString::fromLatin1(kIconName);
    const std::vector<Shape> shapes = iconShapes();
    if (!writeFile(root + QStringLiteral("scalable/apps/") + name + QStringLiteral(".svg"), svgOf(shapes).toUtf8()))
        return 1;
    for (int size : kSizes) {
        const QString path = root + QStringLiteral("%1x%1/apps/").arg(size) + name + QStringLiteral(".png");
        QDir().mkpath(QFileInfo(path).path());
        if (!pngOf(shapes, size).save(path, "PNG"))
            return 1;
    }
    return 0;
}
