// Starts Quorvel: `quorvel [source-file.dat]`.
#include "app/CPreviewApp.h"

int main(int argc, char** argv) {
    quorvel::CPreviewApp app(argc, argv);
    return app.Run();
}
