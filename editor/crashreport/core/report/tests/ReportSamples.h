#pragma once
// Reports in the log's text format for the saving tests: the application
// section with its version (1.3), the exception section with its id (2.7)
// and count (2.8), and a call-stack table.
#include <string>

std::string TestReport(const std::string& id, const std::string& version = "1.0.0.1",
                       const std::string& message = "Boom.");
