// Draws the picture of the blank care sheet that the program carries inside
// itself (resources/feuille_de_soin_medecin.jpg), from the field catalogue, so
// that every sheet field sits on a box of its own.
//
//   draw_form <picture.jpg> [check.png]
//
// The optional second file is the same picture with the field rectangles laid
// over it in red, to check the boxes against the fields by eye.
//
// The catalogue's places are on the image panel (ACTE_4's on the window); the
// picture is shown stretched into the panel's interior, (1, 1) to (771, 1109),
// so a panel point (x, y) is the picture point ((x - 1) * 746 / 770,
// (y - 1) * 1096 / 1108). Everything below is laid out in panel coordinates and
// mapped at drawing time.

#include "config/FieldCatalogue.h"
#include "app/ProgramEntry.h"
#include "print/JpegCodec.h"
#include "support/TiravonError.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextStream>

#include <cmath>

namespace {

constexpr int kPictureWidth = 746;
constexpr int kPictureHeight = 1096;
constexpr double kScaleX = kPictureWidth / 770.0;
constexpr double kScaleY = kPictureHeight / 1108.0;
constexpr int kDotsPerInch = 96;

// Pale tints and dark inks of the printed form.
const QColor kPaper(255, 255, 255);
const QColor kInk(28, 58, 46);
const QColor kLine(62, 94, 82);
const QColor kGreenTint(232, 243, 236);
const QColor kGreenBand(46, 115, 86);
const QColor kBlueTint(230, 239, 248);
const QColor kBlueBand(45, 95, 138);
const QColor kHeadingTint(214, 232, 221);
const QColor kMention(30, 80, 140);

// ---- Coordinates ---------------------------------------------------------------

QPointF toPicture(const QPointF &panel)
{
    return QPointF((panel.x() - 1) * kScaleX, (panel.y() - 1) * kScaleY);
}

QRectF toPicture(const QRectF &panel)
{
    return QRectF(toPicture(panel.topLeft()), toPicture(panel.bottomRight()));
}

// A rectangle stroked with a one-pixel pen on whole pixels, so its lines stay sharp.
QRectF crisp(const QRectF &picture)
{
    const double left = std::round(picture.left());
    const double top = std::round(picture.top());
    const double right = std::round(picture.right());
    const double bottom = std::round(picture.bottom());
    return QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
}

// The field's place on the panel (ACTE_4 is kept on the window, whose origin
// lies at the panel's top-left corner negated).
QRectF panelRect(const FieldDesign &design)
{
    QRect rect = design.geometry;
    if (design.onWindow)
        rect.translate(-designPanelGeometry().topLeft());
    return QRectF(rect);
}

QRectF fieldRect(const char *name)
{
    const FieldDesign *design = findFieldDesign(QString::fromLatin1(name));
    if (!design)
        throw TiravonError(QStringLiteral("Champ inconnu : %1").arg(QLatin1String(name)));
    return panelRect(*design);
}

bool hasBox(const FieldDesign &design)
{
    // The pick lists are pop-ups, the label and the stamp are drawn by the window.
    return design.kind == FieldKind::PlainText || design.kind == FieldKind::ClaimBox
           || design.kind == FieldKind::Date;
}

// The small square of a claim box, centred where the 17 by 26 field sits
// (in picture pixels).
QRectF claimSquare(const QRectF &panel)
{
    const QPointF centre = toPicture(panel.center());
    const double side = 14;
    return QRectF(std::round(centre.x() - side / 2), std::round(centre.y() - side / 2), side, side);
}

// The box of a field in picture pixels: one panel pixel wider than the field
// all round, so that its line shows around the field; clipped to the picture.
QRectF boxOf(const FieldDesign &design)
{
    const QRectF panel = panelRect(design);
    if (design.kind == FieldKind::ClaimBox)
        return claimSquare(panel);
    return toPicture(panel.adjusted(-1, -1, 1, 1)).intersected(QRectF(0, 0, kPictureWidth, kPictureHeight));
}

// ---- Text ----------------------------------------------------------------------

enum class Style { Title, Mention, Band, Heading, Label, Small, Note };

QFont fontOf(Style style)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleStrategy(QFont::PreferAntialias);
    double pixels = 10;
    switch (style) {
    case Style::Title:   pixels = 21; font.setBold(true); font.setLetterSpacing(QFont::PercentageSpacing, 104); break;
    case Style::Mention: pixels = 11; font.setBold(true); break;
    case Style::Band:    pixels = 10.5; font.setBold(true); break;
    case Style::Heading: pixels = 9.5; font.setBold(true); break;
    case Style::Label:   pixels = 9.5; break;
    case Style::Small:   pixels = 8; break;
    case Style::Note:    pixels = 7.5; font.setItalic(true); break;
    }
    font.setPointSizeF(pixels * 72.0 / kDotsPerInch);   // the picture is at 96 dpi
    return font;
}

// Draws the text (lines split at \n) in the panel rectangle, shrinking the
// font until the longest line fits its width.
void drawText(QPainter &painter, const QRectF &panel, const QString &text, Style style,
              int alignment, const QColor &colour = kInk)
{
    const QRectF rect = toPicture(panel);
    QFont font = fontOf(style);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (;;) {
        const QFontMetricsF metrics(font, painter.device());
        double widest = 0;
        for (const QString &line : lines)
            widest = qMax(widest, metrics.horizontalAdvance(line));
        if (widest <= rect.width() || font.pointSizeF() <= 5)
            break;
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, alignment, text);
}

// ---- The layout ----------------------------------------------------------------

// A tinted section of the form with its title band.
struct Section
{
    const char *title;
    double top;
    double bottom;
    double bandRight;     // the band stops here, leaving room for a field
    bool blue;
};

const Section kSections[] = {
    {"PERSONNE RECEVANT LES SOINS ET ASSURÉ(E)", 34, 262, 596, false},
    {"IDENTIFICATION DU MÉDECIN", 266, 456, 766, true},
    {"CONDITIONS DE PRISE EN CHARGE DES SOINS", 460, 704, 766, false},
    {"ACTES EFFECTUÉS", 708, 912, 766, true},
    {"PAIEMENT", 916, 994, 300, false},
    {"SIGNATURES", 998, 1106, 766, true},
};
constexpr double kSectionLeft = 6;
constexpr double kSectionRight = 766;
constexpr double kBandHeight = 14;

// A label placed beside the box of a field.
enum class Place {
    Column,    // in the column of labels at the left of the form, before the box
    Before,    // right against the box, on its left
    After,     // right against the box, on its right
    Above,     // on top of the box, from its left edge
};

struct FieldLabel
{
    const char *field;
    Place place;
    const char *text;
    Style style;
};

const FieldLabel kFieldLabels[] = {
    {"DATE", Place::Before, "date", Style::Heading},
    {"NOM", Place::Column, "nom et prénom", Style::Label},
    {"MATRICULE", Place::Column, "numéro d'immatriculation", Style::Label},
    {"CPAM", Place::Before, "caisse /\norganisme", Style::Label},
    {"DDN", Place::Column, "date de naissance", Style::Label},
    {"ASSURE", Place::Column, "nom et prénom\nde l'assuré(e)", Style::Label},
    {"ASSURE_MATRICULE", Place::Column, "numéro d'immatriculation\nde l'assuré(e)", Style::Label},
    {"ADRESSE", Place::Column, "adresse de l'assuré(e)", Style::Label},
    {"VILLE", Place::Before, "ville", Style::Small},

    {"COCHE_MALADIE", Place::After, "maladie", Style::Heading},
    {"COCHE_ALD_0", Place::After, "non", Style::Label},
    {"COCHE_ALD_1", Place::After, "oui", Style::Label},
    {"COCHE_ALD_TYPE", Place::Before, "si ALD :", Style::Label},
    {"COCHE_ALD_TYPE", Place::After, "acte conforme au protocole de soins ALD", Style::Label},
    {"COCHE_MATERNITE", Place::After, "maternité", Style::Heading},
    {"DDG", Place::Before, "date présumée de début de grossesse ou date d'accouchement", Style::Label},
    {"MEDECIN", Place::Above, "nom et prénom du médecin traitant", Style::Small},
    {"MEDECIN", Place::Column, "orienté par le médecin traitant", Style::Label},
    {"COCHE_ACCES", Place::Before, "accès direct spécifique", Style::Label},
    {"COCHE_ACCES", Place::After, "(gynécologie, ophtalmologie, psychiatrie, stomatologie)", Style::Note},

    {"TARIF_1", Place::After, "€", Style::Label},
    {"TARIF_2", Place::After, "€", Style::Label},
    {"TARIF_3", Place::After, "€", Style::Label},
    {"TARIF_4", Place::After, "€", Style::Label},
    {"MONTANT_TOTAL", Place::Before, "montant total", Style::Heading},
    {"MONTANT_TOTAL", Place::After, "€", Style::Label},
    {"COCHE_NP_COMP", Place::Before, "l'assuré(e) n'a pas payé la part complémentaire", Style::Label},
};

// Headings of the acts table, centred over the column of the named field.
struct ColumnHeading
{
    const char *field;
    const char *text;
};

const ColumnHeading kColumnHeadings[] = {
    {"DATE_ACTE", "date"},
    {"CCAM_1", "code CCAM"},
    {"ACTE_1", "code des actes\n(NGAP)"},
    {"TARIF_1", "montant des\nhonoraires"},
};
constexpr double kHeadingsTop = 725;
constexpr double kHeadingsBottom = 771;

// Texts placed on their own (panel rectangle, text, style, alignment).
struct FreeText
{
    QRectF panel;
    const char *text;
    Style style;
    int alignment;
};

const int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
const int kRight = Qt::AlignRight | Qt::AlignVCenter;
const int kCentre = Qt::AlignCenter;
const int kTopLeft = Qt::AlignLeft | Qt::AlignTop;

const FreeText kFreeTexts[] = {
    // The window shows the panel from its tenth pixel down: the heading
    // stays below that line.
    {{10, 12, 190, 22}, "l'Assurance\nMaladie", Style::Mention, kLeft},
    {{190, 11, 392, 24}, "FEUILLE DE SOINS", Style::Title, kCentre},
    {{520, 12, 246, 11}, "actes dispensés par un médecin", Style::Small, kRight},
    {{520, 23, 246, 11}, "à adresser à votre caisse d'assurance maladie", Style::Note, kRight},
    {{10, 56, 300, 16}, "personne recevant les soins", Style::Heading, kLeft},

    {{20, 286, 470, 14}, "cachet du médecin : nom, prénom, adresse et numéro d'identification", Style::Note, kLeft},
    {{508, 286, 250, 14}, "identification de la structure (le cas échéant)", Style::Note, kLeft},

    // The ALD question sits between the maladie box and its two answers.
    {{80, 479, 265, 15}, "soins en rapport avec une affection de longue durée (ALD) :", Style::Label, kRight},
    {{10, 618, 300, 14}, "parcours de soins coordonnés", Style::Heading, kLeft},

    // ACTE_4 is placed over the obligatory-part box: the label stops before ACTE_4.
    {{10, 960, 274, 15}, "l'assuré(e) n'a pas payé la part obligatoire", Style::Label, kRight},

    {{16, 1016, 360, 14}, "signature de l'assuré(e)", Style::Note, kLeft},
    {{398, 1016, 360, 14}, "date et signature du médecin", Style::Note, kLeft},
    {{10, 1090, 752, 14},
     "La loi rend passible d'amende et/ou d'emprisonnement quiconque se rend coupable de fraudes ou de fausses déclarations.",
     Style::Note, kCentre},
};

// Dashed areas for the practitioner's stamp and the signatures (panel rectangles).
const QRectF kDashedAreas[] = {
    {12, 284, 484, 164},
    {502, 284, 260, 164},
    {12, 1014, 370, 72},
    {394, 1014, 368, 72},
};

// Thin rules separating the groups of a section (panel y, from x 10 to 762).
const double kRules[] = {526, 612};

// ---- Drawing -------------------------------------------------------------------

void drawSection(QPainter &painter, const Section &section)
{
    const QRectF body = toPicture(QRectF(QPointF(kSectionLeft, section.top),
                                         QPointF(kSectionRight, section.bottom)));
    painter.setPen(QPen(kLine, 1));
    painter.setBrush(section.blue ? kBlueTint : kGreenTint);
    painter.drawRect(crisp(body));

    const QRectF band = toPicture(QRectF(QPointF(kSectionLeft, section.top),
                                         QPointF(section.bandRight, section.top + kBandHeight)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(section.blue ? kBlueBand : kGreenBand);
    painter.drawRect(QRectF(std::round(band.left()), std::round(band.top()),
                            std::round(band.width()), std::round(band.height())));
    drawText(painter, QRectF(kSectionLeft + 6, section.top, section.bandRight - kSectionLeft - 12, kBandHeight),
             QString::fromUtf8(section.title), Style::Band, kLeft, kPaper);
}

void drawBox(QPainter &painter, const FieldDesign &design)
{
    painter.setPen(QPen(kLine, 1));
    painter.setBrush(kPaper);
    painter.drawRect(crisp(boxOf(design)));
}

// The panel rectangle of a label beside a field's box.
QRectF labelRect(const FieldLabel &label)
{
    const QRectF field = fieldRect(label.field);
    const FieldDesign *design = findFieldDesign(QString::fromLatin1(label.field));
    // Claim boxes are drawn smaller than their field: measure from the square.
    QRectF box = field;
    if (design->kind == FieldKind::ClaimBox) {
        const QRectF square = claimSquare(field);
        box = QRectF(QPointF(square.left() / kScaleX + 1, square.top() / kScaleY + 1),
                     QPointF(square.right() / kScaleX + 1, square.bottom() / kScaleY + 1));
    }
    const double gap = 4;
    const double height = QString::fromUtf8(label.text).contains(QLatin1Char('\n')) ? 26 : 16;
    const double middle = field.center().y();
    switch (label.place) {
    case Place::Column:
        return QRectF(QPointF(12, middle - height / 2), QPointF(box.left() - 6, middle + height / 2));
    case Place::Before: {
        const double width = 300;
        return QRectF(box.left() - gap - width, middle - height / 2, width, height);
    }
    case Place::After:
        return QRectF(box.right() + gap, middle - height / 2, kSectionRight - 4 - box.right() - gap, height);
    case Place::Above:
        return QRectF(box.left(), box.top() - 14, kSectionRight - 4 - box.left(), 13);
    }
    return QRectF();
}

int alignmentOf(Place place)
{
    switch (place) {
    case Place::Before: return kRight;
    case Place::Above: return Qt::AlignLeft | Qt::AlignBottom;
    default: return kLeft;
    }
}

void drawColumnHeadings(QPainter &painter)
{
    const QRectF strip(kSectionLeft + 1, kHeadingsTop, kSectionRight - kSectionLeft - 2,
                       kHeadingsBottom - kHeadingsTop);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kHeadingTint);
    painter.drawRect(toPicture(strip));
    for (const ColumnHeading &heading : kColumnHeadings) {
        const QRectF field = fieldRect(heading.field);
        const double width = qMax(field.width(), 96.0);
        const QRectF rect(field.center().x() - width / 2, kHeadingsTop, width, kHeadingsBottom - kHeadingsTop);
        drawText(painter, rect, QString::fromUtf8(heading.text), Style::Heading, kCentre);
    }
}

QImage drawForm()
{
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(kDotsPerInch / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(kPaper);

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    for (const Section &section : kSections)
        drawSection(painter, section);
    drawColumnHeadings(painter);

    painter.setPen(QPen(kLine, 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    for (const QRectF &area : kDashedAreas)
        painter.drawRect(crisp(toPicture(area)));
    painter.setPen(QPen(kLine, 1, Qt::DotLine));
    for (double y : kRules) {
        const double pictureY = std::round(toPicture(QPointF(0, y)).y()) + 0.5;
        painter.drawLine(QPointF(std::round(toPicture(QPointF(10, 0)).x()), pictureY),
                         QPointF(std::round(toPicture(QPointF(762, 0)).x()), pictureY));
    }

    for (const FreeText &text : kFreeTexts) {
        const QColor colour = text.style == Style::Mention ? kMention : kInk;
        drawText(painter, text.panel, QString::fromUtf8(text.text), text.style, text.alignment, colour);
    }
    for (const FieldLabel &label : kFieldLabels)
        drawText(painter, labelRect(label), QString::fromUtf8(label.text), label.style,
                 alignmentOf(label.place));

    // The boxes last, so that nothing is drawn over them.
    for (const FieldDesign &design : fieldCatalogue())
        if (hasBox(design))
            drawBox(painter, design);
    return picture;
}

// The picture with every field's rectangle drawn over it in red.
QImage drawCheck(const QImage &picture)
{
    QImage check = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&check);
    painter.setFont(fontOf(Style::Small));
    for (const FieldDesign &design : fieldCatalogue()) {
        const QRectF rect = toPicture(panelRect(design));
        const bool boxed = hasBox(design);
        painter.setPen(QPen(boxed ? QColor(230, 0, 0) : QColor(0, 120, 230), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(design.name));
    }
    return check;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepareApplication(app);

    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        err << "usage : draw_form <image.jpg> [controle.png]\n";
        return 2;
    }
    try {
        const QImage picture = drawForm();
        saveJpegFile(args.at(1), picture, 92, kDotsPerInch);
        if (args.size() == 3 && !drawCheck(picture).save(args.at(2)))
            throw TiravonError(Messages::cannotWrite(args.at(2)));
    } catch (const TiravonError &error) {
        err << error.message() << '\n';
        return 1;
    }
    return 0;
}
