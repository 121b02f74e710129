#include "gui/app/CLogicApp.h"

int main(int argc, char** argv) {
    tessemar::CLogicApp app(argc, argv);
    return app.Run();
}
