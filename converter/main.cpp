#include "converter.h"

int main() { return run_converter(); }
