#include "FieldCatalogue.h"

namespace {

const FieldFont kCommon{"MS Sans Serif", 12, true};
const FieldFont kSmall{"MS Sans Serif", 10, true};
const FieldFont kArial{"Arial", 12, true};
const FieldFont kDate{"Verdana", 12, true};
const FieldFont kList{"Arial", 10, false};
const FieldFont kOriente{"Arial", 8, true};
const FieldFont kStamp{"Courrier", 28, true};

const char *const kBoxHint = "Appuyer sur BARRE ESPACE";
const QRgb kYellow = qRgb(255, 255, 128);
const QRgb kCyan = qRgb(128, 255, 255);

using K = FieldKind;

const std::vector<FieldDesign> kCatalogue = {
    // name, kind, tab, geometry, font, mixed case, text, hint, visible, on window, hand, background
    {"ACTE_4", K::PlainText, -1, {288, 951, 41, 26}, kCommon, false, "", "", true, true, true, 0},
    {"NOM", K::PlainText, 0, {184, 78, 569, 26}, kCommon, false, "MARTIN SOPHIE", "Entrez le nom et le prénom du patient", true, false, true, 0},
    {"MATRICULE", K::PlainText, 1, {184, 110, 321, 26}, kCommon, false, "2 55 01 56 121 345   19", "Numéro de sécurité sociale", true, false, true, 0},
    {"DDN", K::Date, 2, {184, 141, 145, 24}, kDate, false, "", "", true, false, false, 0},
    {"ASSURE", K::PlainText, 3, {183, 163, 241, 26}, kCommon, false, "", "Nom de l'assuré", true, false, true, 0},
    {"ASSURE_MATRICULE", K::PlainText, 4, {184, 198, 241, 26}, kCommon, false, "", "Immatriculation de l'assuré", true, false, true, 0},
    {"ADRESSE", K::PlainText, 5, {184, 227, 249, 26}, kCommon, false, "", "Adresse de l'assuré", true, false, true, 0},
    {"VILLE", K::PlainText, 6, {462, 229, 225, 25}, kArial, true, "", "VILLE", true, false, false, 0},
    {"CPAM", K::PlainText, 7, {592, 110, 169, 26}, kCommon, false, "", "CPAM", true, false, true, 0},
    {"COCHE_MALADIE", K::ClaimBox, 8, {11, 472, 17, 26}, kCommon, false, "X", kBoxHint, true, false, false, 0},
    {"COCHE_MATERNITE", K::ClaimBox, 9, {9, 541, 17, 26}, kCommon, false, "", kBoxHint, true, false, true, 0},
    {"COCHE_ALD_0", K::ClaimBox, 10, {347, 475, 17, 26}, kCommon, false, "X", kBoxHint, true, false, true, 0},
    {"COCHE_ALD_1", K::ClaimBox, 11, {430, 474, 17, 26}, kCommon, false, "", kBoxHint, true, false, true, 0},
    {"COCHE_ALD_TYPE", K::ClaimBox, 12, {194, 491, 17, 26}, kCommon, false, "", kBoxHint, true, false, true, 0},
    {"DDG", K::Date, 13, {616, 556, 137, 24}, kDate, false, "", "Date de début de grossesse ou d'acouchement", true, false, false, 0},
    {"COCHE_ACCES", K::ClaimBox, 14, {120, 675, 17, 26}, kCommon, false, "X", kBoxHint, true, false, true, 0},
    {"MEDECIN", K::PlainText, 15, {240, 656, 513, 25}, kArial, true, "", "Médecin traitant", false, false, false, 0},
    {"DATE_ACTE", K::Date, 16, {0, 784, 137, 24}, kDate, false, "", "Date de l'acte", true, false, false, 0},
    {"CCAM_1", K::PlainText, 17, {143, 778, 121, 26}, kCommon, false, "", "CCAM 1", true, false, true, 0},
    {"CCAM_2", K::PlainText, 18, {143, 810, 121, 26}, kCommon, false, "", "CCAM 2", true, false, true, 0},
    {"ACTE_1", K::PlainText, 19, {288, 778, 41, 26}, kCommon, false, "", "Acte1", true, false, true, 0},
    {"ACTE_2", K::PlainText, 20, {288, 812, 41, 26}, kCommon, false, "", "Acte2", true, false, true, 0},
    {"ACTE_3", K::PlainText, 21, {288, 847, 41, 26}, kCommon, false, "", "Acte3", true, false, true, 0},
    {"TARIF_1", K::PlainText, 22, {462, 775, 97, 26}, kCommon, false, "23", "Tarif1", true, false, true, 0},
    {"TARIF_2", K::PlainText, 23, {462, 815, 97, 26}, kCommon, false, "3", "Tarif2", true, false, true, 0},
    {"TARIF_3", K::PlainText, 24, {462, 856, 97, 22}, kSmall, false, "2", "Tarif3", true, false, true, 0},
    {"TARIF_4", K::PlainText, 25, {462, 888, 97, 22}, kSmall, false, "", "Tarif4", true, false, true, 0},
    {"MONTANT_TOTAL", K::PlainText, 26, {402, 926, 97, 26}, kCommon, true, "28,00", "Total", true, false, false, 0},
    {"COCHE_NP_OBLIGAT", K::ClaimBox, 27, {311, 954, 17, 26}, kCommon, true, "", kBoxHint, true, false, true, 0},
    {"COCHE_NP_COMP", K::ClaimBox, 28, {711, 956, 17, 26}, kCommon, true, "", kBoxHint, true, false, true, 0},
    {"LISTE_VILLES", K::PickList, 29, {584, 256, 105, 97}, kList, true, "", "", false, false, false, kYellow},
    {"Liste_CPAMS", K::PickList, 30, {592, 136, 113, 81}, kList, true, "", "", false, false, false, kCyan},
    {"DATE", K::Date, 31, {640, 40, 136, 24}, kDate, false, "", "DATE", true, false, false, 0},
    {"oriente", K::Label, -1, {91, 638, 39, 14}, kOriente, true, "orienté", "", true, false, false, 0},
    {"NOTE", K::Stamp, -1, {143, 568, 170, 44}, kStamp, true, "Duplicata", "Tampon", true, false, false, 0},
};

} // namespace

const std::vector<FieldDesign> &fieldCatalogue()
{
    return kCatalogue;
}

const FieldDesign *findFieldDesign(const QString &name)
{
    for (const FieldDesign &field : kCatalogue)
        if (name == QLatin1String(field.name))
            return &field;
    return nullptr;
}

const QStringList &plainFieldsInWindowOrder()
{
    static const QStringList order = {
        QStringLiteral("ACTE_4"), QStringLiteral("NOM"), QStringLiteral("MATRICULE"),
        QStringLiteral("ASSURE"), QStringLiteral("ASSURE_MATRICULE"), QStringLiteral("CCAM_1"),
        QStringLiteral("ACTE_3"), QStringLiteral("MONTANT_TOTAL"), QStringLiteral("COCHE_MALADIE"),
        QStringLiteral("COCHE_MATERNITE"), QStringLiteral("COCHE_ACCES"), QStringLiteral("ACTE_2"),
        QStringLiteral("TARIF_3"), QStringLiteral("COCHE_NP_COMP"), QStringLiteral("ACTE_1"),
        QStringLiteral("COCHE_NP_OBLIGAT"), QStringLiteral("TARIF_2"), QStringLiteral("TARIF_1"),
        QStringLiteral("ADRESSE"), QStringLiteral("CPAM"), QStringLiteral("COCHE_ALD_0"),
        QStringLiteral("COCHE_ALD_1"), QStringLiteral("CCAM_2"), QStringLiteral("COCHE_ALD_TYPE"),
        QStringLiteral("VILLE"), QStringLiteral("TARIF_4"), QStringLiteral("MEDECIN"),
    };
    return order;
}

const QStringList &claimBoxNames()
{
    static const QStringList names = {
        QStringLiteral("COCHE_MALADIE"), QStringLiteral("COCHE_MATERNITE"), QStringLiteral("COCHE_ACCES"),
        QStringLiteral("COCHE_NP_OBLIGAT"), QStringLiteral("COCHE_NP_COMP"), QStringLiteral("COCHE_ALD_0"),
        QStringLiteral("COCHE_ALD_1"), QStringLiteral("COCHE_ALD_TYPE"),
    };
    return names;
}

QRect designPanelGeometry()
{
    return QRect(0, -10, 772, 1110);
}

QString panelCaption()
{
    return QStringLiteral("Déposez l'image JPG du formulaire ici");
}

QString samplePatientName()
{
    return QStringLiteral("MARTIN SOPHIE");
}

QString fieldLabel(const QString &name)
{
    // The fields whose hint is none, or the claim boxes' instruction.
    static const struct
    {
        const char *name;
        const char *label;
    } kLabels[] = {
        {"ACTE_4", "Acte4"},
        {"DDN", "Date de naissance"},
        {"COCHE_MALADIE", "Maladie"},
        {"COCHE_MATERNITE", "Maternité"},
        {"COCHE_ALD_0", "ALD : non"},
        {"COCHE_ALD_1", "ALD : oui"},
        {"COCHE_ALD_TYPE", "Acte conforme au protocole ALD"},
        {"COCHE_ACCES", "Accès direct spécifique"},
        {"COCHE_NP_OBLIGAT", "Part obligatoire non payée"},
        {"COCHE_NP_COMP", "Part complémentaire non payée"},
        {"LISTE_VILLES", "Liste des villes"},
        {"Liste_CPAMS", "Liste des caisses"},
        {"oriente", "orienté"},
    };
    for (const auto &entry : kLabels)
        if (name == QLatin1String(entry.name))
            return QString::fromUtf8(entry.label);
    const FieldDesign *design = findFieldDesign(name);
    if (design && *design->hint)
        return QString::fromUtf8(design->hint);
    return name;
}
