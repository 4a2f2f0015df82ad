// The page's tests drive Debian's chromium on the page as built in build/web, opened from disk.
const { defineConfig } = require("@playwright/test");

module.exports = defineConfig({
    testDir: __dirname,
    testMatch: "*.test.js",
    timeout: 180000,
    workers: 1,
    reporter: [["list"]],
    use: {
        acceptDownloads: true,
        // Wide enough that the canvas shows the screen at one CSS pixel per screen pixel.
        viewport: { width: 1400, height: 1000 },
        launchOptions: { executablePath: process.env.QUORVEL_CHROMIUM || "/usr/bin/chromium" },
    },
});
