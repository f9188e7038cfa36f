// The picture-to-code converter: ./img.jpg in, ./out.cpp out.
#pragma once

// Runs the whole conversion in the working directory; returns the process exit status.
int run_converter();
