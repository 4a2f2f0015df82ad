// Rewrites the golden picture table on purpose: make_golden_table <source.dat> <table>.
#include <QGuiApplication>
#include <cstdio>
#include <fstream>
#include <memory>

#include "data/SourceFile.h"
#include "tools/GoldenPictures.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source.dat> <table.sha256>\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    auto record = std::make_unique<quorvel::SourceRecord>();
    if (quorvel::LoadSourceFile(argv[1], *record) != quorvel::LoadOutcome::Loaded) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out << quorvel::golden::PictureTable(*record);
    out.close();
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
