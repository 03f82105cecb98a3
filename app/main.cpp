#include "app/Program.h"
#include "runtime/Window.h"

int main(int argc, char** argv) {
    return runtime::RunProgram(argc, argv, app::ProgramEntry);
}
