// The tesmora executable. It takes no arguments of its own and reads no
// settings; the runtime honours its own options (such as -platform).
#include "shell/startup.h"

int main(int argc, char** argv) { return ApplicationMain(argc, argv); }
