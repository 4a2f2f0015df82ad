// The page's Save BMP of every screen of the demo file, reached through the page's controls, is
// the file quorvel-cli writes, byte for byte, and its pixels are the golden table's.
const fs = require("fs");
const path = require("path");
const { test, expect, ROOT, DEMO, OpenDemo, Downloaded, ShowPicture, Cli, TemporaryFolder, Sha256 } =
    require("./page-fixture");

const WIDTH = 1280;
const HEIGHT = 720;
const HEADER = 54;

// The golden table hashes the screen's 0xAARRGGBB words top row first; the BMP holds them as
// blue, green, red, 0, bottom row first.
function PixelDigest(bmp) {
    const rows = [];
    for (let y = HEIGHT - 1; y >= 0; --y) {
        const row = Buffer.from(bmp.subarray(HEADER + y * WIDTH * 4, HEADER + (y + 1) * WIDTH * 4));
        for (let x = 3; x < row.length; x += 4) row[x] = 0xff;
        rows.push(row);
    }
    return Sha256(Buffer.concat(rows));
}

const golden = fs.readFileSync(path.join(ROOT, "tests/golden/demo-pictures.sha256"), "utf8")
    .trim().split("\n").map((line) => line.split(/\s+/));

test("every screen's Save BMP is the native file and the golden picture", async ({ page }) => {
    const native = TemporaryFolder("bmp");
    Cli("render", DEMO, "--all", "--format", "bmp", "-o", native);
    await OpenDemo(page);
    const wrong = [];
    for (const [digest, name] of golden) {
        await ShowPicture(page, name);
        const saved = await Downloaded(page, "#save-bmp");
        if (saved.name !== name) wrong.push(`${name}: saved as ${saved.name}`);
        if (!saved.bytes.equals(fs.readFileSync(path.join(native, name)))) {
            wrong.push(`${name}: differs from quorvel-cli's file`);
        }
        if (PixelDigest(saved.bytes) !== digest) wrong.push(`${name}: not the golden picture`);
    }
    expect(golden.length).toBe(70);
    expect(wrong).toEqual([]);
});

test("Save PNG holds the shown screen's pixels under the batch's name", async ({ page }) => {
    const folder = TemporaryFolder("png");
    await OpenDemo(page);
    await ShowPicture(page, "c-spectrum-01-fr.png");
    const saved = await Downloaded(page, "#save-png");
    expect(saved.name).toBe("c-spectrum-01-fr.png");
    fs.writeFileSync(path.join(folder, saved.name), saved.bytes);
    const native = path.join(folder, "native.bmp");
    Cli("render", DEMO, "--dvb", "c", "--screen", "spectrum", "--entry", "1", "--lang", "fr", "-o", native);
    // compare decodes both and exits 0 only when every pixel is the same.
    Cli("compare", native, path.join(folder, saved.name));
});
