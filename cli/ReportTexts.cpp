#include "cli/ReportTexts.h"

#include <map>

namespace quorvel::cli {

const ReportTexts& TextsFor(Language language) {
    static const ReportTexts kEnglish{
        QStringLiteral("Quorvel report"),
        QStringLiteral("File"),
        QStringLiteral("SHA-256 of the bytes drawn"),
        QStringLiteral("Date of the report"),
        QStringLiteral("Tool version"),
        QStringLiteral("Entries per DVB type"),
        QStringLiteral("DVB type"),
        QStringLiteral("Measure"),
        QStringLiteral("Spectrum"),
        QStringLiteral("Constellation"),
        QStringLiteral("Constellation, More view"),
        QStringLiteral("Nothing is listed in this file for the DVB types asked: there are no "
                       "values or screens to show."),
        QStringLiteral("%1: Measure values"),
        QStringLiteral("%1: screens"),
        QStringLiteral("%1, %2 screen, entry %3 \u201C%4\u201D, %5"),
        QStringLiteral("English"),
        QStringLiteral("Page %1 of %2")};
    static const ReportTexts kFrench{
        QStringLiteral("Rapport Quorvel"),
        QStringLiteral("Fichier"),
        QStringLiteral("SHA-256 des octets dessin\u00E9s"),
        QStringLiteral("Date du rapport"),
        QStringLiteral("Version de l\u2019outil"),
        QStringLiteral("Entr\u00E9es par type DVB"),
        QStringLiteral("Type DVB"),
        QStringLiteral("Mesure"),
        QStringLiteral("Spectre"),
        QStringLiteral("Constellation"),
        QStringLiteral("Constellation, vue D\u00E9tails"),
        QStringLiteral(
            "Rien n\u2019est list\u00E9 dans ce fichier pour les types DVB demand\u00E9s "
            ": aucune valeur ni aucun \u00E9cran \u00E0 montrer."),
        QStringLiteral("%1 : valeurs de mesure"),
        QStringLiteral("%1 : \u00E9crans"),
        QStringLiteral("%1, \u00E9cran %2, entr\u00E9e %3 \u00AB\u00A0%4\u00A0\u00BB, %5"),
        QStringLiteral("fran\u00E7ais"),
        QStringLiteral("Page %1 sur %2")};
    return language == Language::French ? kFrench : kEnglish;
}

QString ColumnName(Language language, const std::string& column) {
    static const std::map<std::string, QString> kFrench = {
        {"position", QStringLiteral("position")},
        {"name", QStringLiteral("nom")},
        {"target", QStringLiteral("cible")},
        {"frequency (MHz)", QStringLiteral("fr\u00E9quence (MHz)")},
        {"polarisation", QStringLiteral("polarisation")},
        {"symbol rate (kS/s)", QStringLiteral("d\u00E9bit symbole (kS/s)")},
        {"bandwidth (MHz)", QStringLiteral("largeur de bande (MHz)")},
        {"service", QStringLiteral("service")},
        {"level (dBm)", QStringLiteral("niveau (dBm)")},
        {"strength (%)", QStringLiteral("puissance (%)")},
        {"quality (%)", QStringLiteral("qualit\u00E9 (%)")},
        {"lock", QStringLiteral("verrouillage")}};
    if (language == Language::French) {
        if (const auto found = kFrench.find(column); found != kFrench.end()) return found->second;
    }
    return QString::fromStdString(column);
}

}  // namespace quorvel::cli
