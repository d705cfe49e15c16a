#pragma once

#include <gtest/gtest.h>

#include <filesystem>

// A fresh, empty folder for each test, removed afterwards.
class ScratchFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path scratch;
};
