#pragma once
// A test with its own per-user settings folder and the shipped data tree, the
// configuration loaded from them.

#include "shell/Common.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("VELMORA_CONFIG_DIR", config.path().toUtf8());
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        LoadConfiguration();
    }
    void TearDown() override {
        qunsetenv("VELMORA_CONFIG_DIR");
        qunsetenv("VELMORA_HOME");
    }
    QTemporaryDir config;
};
