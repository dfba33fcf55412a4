// Entry point for widget tests: a QApplication on the offscreen platform.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The undo store's files go to a folder of this run, not the user's cache.
    static QTemporaryDir undo; // outlives the store, which is made later and goes first
    if (qEnvironmentVariableIsEmpty("VELMORA_UNDO_DIR")) qputenv("VELMORA_UNDO_DIR", undo.path().toUtf8());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
