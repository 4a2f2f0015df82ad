// The report's own words in English and French; the screens keep their screen texts.
#pragma once

#include <QString>

#include "data/Types.h"

namespace quorvel::cli {

struct ReportTexts {
    QString title;
    QString file;
    QString sha256;
    QString date;
    QString version;
    QString countsHeading;
    QString dvbType;
    QString measure;
    QString spectrum;
    QString constellation;
    QString constellationMore;
    QString nothingListed;
    QString valuesHeading;   // %1: DVB type
    QString screensHeading;  // %1: DVB type
    QString caption;         // %1 DVB type, %2 screen, %3 position, %4 name, %5 language
    QString languageName;
    QString page;  // %1 of %2
};

const ReportTexts& TextsFor(Language language);

// A measure table column's name in the report's language.
QString ColumnName(Language language, const std::string& column);

}  // namespace quorvel::cli
