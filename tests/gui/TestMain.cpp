#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Widget tests need an application object; they always run offscreen, even
// when ctest lists the cases without the test environment.
int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
