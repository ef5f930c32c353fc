#include "app/Start.h"

int main(int argc, char **argv) { return sx::Start::Main(argc, argv); }
