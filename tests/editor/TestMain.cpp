#include <QGuiApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// The icons sit in a static library, whose unreferenced objects the linker
// drops; naming them here keeps them in.
static void initResources()
{
    Q_INIT_RESOURCE(tessarine);
}

// Painting tests need an application object; they always run
// offscreen, even when ctest lists the cases without the test environment.
int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    initResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
