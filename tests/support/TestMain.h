#pragma once

#include "shell/Application.h"

#include <QtTest>

// Like QTEST_MAIN, but with the program's own application object, so that
// errors escaping a handler reach the standard error dialog as they would
// for the operator.
#define KELVARA_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv) {                                                              \
        Application app(argc, argv);                                                               \
        TestClass test;                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
