// Starts Quorvel: `quorvel [source-file.dat]`.
#include "app/QuorvelApplication.h"

int main(int argc, char** argv) {
    quorvel::QuorvelApplication app(argc, argv);
    return app.Run();
}
