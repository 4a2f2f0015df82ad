// The page opened from disk for each test, with every request it makes watched: a request that
// leaves the page (anything but file:, data: and blob:) fails the test.
const base = require("@playwright/test");
const crypto = require("crypto");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync } = require("child_process");

const ROOT = path.resolve(__dirname, "../..");
const DEMO = path.join(ROOT, "samples/demo.dat");
const CLI = process.env.QUORVEL_CLI || path.join(ROOT, "build/release/cli/quorvel-cli");
const FAMILY_LIST = { measure: "#measure", constellation: "#constellation", spectrum: "#spectrum" };
const DVB_VALUE = { s: "2", t: "1", c: "0" };
const LANGUAGE_VALUE = { en: "0", fr: "1" };

const test = base.test.extend({
    page: async ({ page }, use) => {
        const outside = [];
        page.on("request", (request) => {
            if (!/^(file|data|blob):/.test(request.url())) outside.push(request.url());
        });
        await page.goto("file://" + path.join(ROOT, "build/web/index.html"));
        await page.waitForSelector("body[data-ready=true]");
        await use(page);
        base.expect(outside, "requests that left the page").toEqual([]);
    },
});

// As a person opens it: the "Open" button, then the browser's file chooser.
async function OpenDemo(page) {
    const [chooser] = await Promise.all([page.waitForEvent("filechooser"), page.click("text=Open")]);
    await chooser.setFiles(DEMO);
    await base.expect(page.locator("#save-bmp")).toBeEnabled();
}

async function Downloaded(page, button) {
    const [download] = await Promise.all([page.waitForEvent("download"), page.click(button)]);
    return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

// Shows the screen a batch file name stands for, the way a user reaches it: DVB type, language,
// the family's list line, F1 for the More view.
async function ShowPicture(page, fileName) {
    const [, dvb, screen, more, line, language] =
        /^([stc])-(measure|spectrum|constellation)(-more)?-(\d\d)-(en|fr)\./.exec(fileName);
    await page.selectOption("#dvb-type", DVB_VALUE[dvb]);
    await page.selectOption("#language", LANGUAGE_VALUE[language]);
    await page.selectOption(FAMILY_LIST[screen], { index: Number(line) });
    if (more) await page.press("#screen", "F1");
}

// quorvel-cli with `args`; its standard output.
function Cli(...args) {
    return execFileSync(CLI, args, { env: { ...process.env, QT_QPA_PLATFORM: "offscreen" } });
}

function TemporaryFolder(name) {
    return fs.mkdtempSync(path.join(os.tmpdir(), "quorvel-web-" + name + "-"));
}

const Sha256 = (bytes) => crypto.createHash("sha256").update(bytes).digest("hex");

module.exports = {
    test, expect: base.expect, ROOT, DEMO, OpenDemo, Downloaded, ShowPicture, Cli,
    TemporaryFolder, Sha256,
};
