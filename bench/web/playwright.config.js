// The page's speed, measured in Debian's chromium beside the native benchmark of the same work.
const { defineConfig } = require("@playwright/test");
const tests = require("../../tests/web/playwright.config.js");

module.exports = defineConfig({ ...tests, testDir: __dirname, testMatch: "*.bench.js" });
