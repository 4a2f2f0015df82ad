// Keys, lists, the wheel and the pointer move through the demo file's screens as in the window.
const path = require("path");
const fs = require("fs");
const { test, expect, DEMO, OpenDemo, Downloaded, Cli, TemporaryFolder } = require("./page-fixture");

const CHANGE_FAMILY = "Press [LEFT/RIGHT] Key to switch between Measure/Constellation/Spectrum menu";
const HELP = {
    measure: CHANGE_FAMILY + "\nScroll mouse wheel to switch menu\n",
    spectrum: CHANGE_FAMILY + "\nPress [UP/DOWN] Key to change the display area\nScroll mouse wheel to change menu",
    constellation: CHANGE_FAMILY + "\nPress [F1] key to show more information\nScroll mouse wheel to switch menu",
    more: CHANGE_FAMILY + "\nPress [F1] key to return Constellation menu\nScroll mouse wheel to switch menu",
};

async function Current(page) {
    return page.locator("#lists label.current select").getAttribute("id");
}

async function ExpectPlace(page, family, help, selections) {
    expect(await Current(page)).toBe(family);
    expect(await page.locator("#help").evaluate((help) => help.textContent)).toBe(help);
    for (const [id, index] of Object.entries(selections)) {
        expect(await page.locator("#" + id).evaluate((list) => list.selectedIndex), id).toBe(index);
    }
}

// The page's Save BMP equals quorvel-cli render with `args`.
async function ExpectNativePicture(page, ...args) {
    const file = path.join(TemporaryFolder("screen"), "native.bmp");
    Cli("render", DEMO, ...args, "-o", file);
    const saved = await Downloaded(page, "#save-bmp");
    expect(saved.bytes.equals(fs.readFileSync(file)), args.join(" ")).toBe(true);
}

test("LEFT and RIGHT cycle the families from their first line; F1 only on Constellation", async ({ page }) => {
    await OpenDemo(page);
    await ExpectPlace(page, "measure", HELP.measure, { measure: 0, constellation: 0, spectrum: 0 });
    await page.selectOption("#constellation", { index: 1 });
    await page.selectOption("#measure", { index: 2 });
    await ExpectPlace(page, "measure", HELP.measure, { measure: 2, constellation: 1 });
    await page.press("#screen", "F1");
    await ExpectPlace(page, "measure", HELP.measure, {});
    await page.press("#screen", "ArrowRight");
    await ExpectPlace(page, "constellation", HELP.constellation, { constellation: 0, measure: 2 });
    await page.press("#screen", "F1");
    await ExpectPlace(page, "constellation", HELP.more, {});
    await ExpectNativePicture(page, "--dvb", "s", "--screen", "constellation", "--more");
    await page.press("#screen", "ArrowRight");
    await ExpectPlace(page, "spectrum", HELP.spectrum, { spectrum: 0 });
    await page.press("#screen", "ArrowRight");
    await ExpectPlace(page, "measure", HELP.measure, { measure: 0 });
    await page.press("#screen", "ArrowLeft");
    await ExpectPlace(page, "spectrum", HELP.spectrum, {});
    await page.press("#screen", "ArrowLeft");
    // The More view stays on when its family comes back by a key.
    await ExpectPlace(page, "constellation", HELP.more, {});
    // Picking a line of the list leaves it.
    await page.selectOption("#constellation", { index: 0 });
    await ExpectPlace(page, "constellation", HELP.constellation, {});
    // A list opened and left as it was brings its family forward all the same.
    await page.click("#spectrum");
    await page.keyboard.press("Escape");
    await ExpectPlace(page, "spectrum", HELP.spectrum, { spectrum: 0 });
    await page.focus("#measure");
    await page.keyboard.press("Enter");
    await page.keyboard.press("Escape");
    await ExpectPlace(page, "measure", HELP.measure, { measure: 0 });
});

test("UP and DOWN move the spectrum's scale in steps of 5 between 0 and 75", async ({ page }) => {
    await OpenDemo(page);
    await page.press("#screen", "ArrowUp");  // not on the Measure screen
    await page.press("#screen", "ArrowLeft");
    for (let i = 0; i < 8; ++i) await page.press("#screen", "ArrowUp");
    await ExpectNativePicture(page, "--dvb", "s", "--screen", "spectrum", "--ref-level", "75");
    await page.press("#screen", "ArrowUp");
    await ExpectNativePicture(page, "--dvb", "s", "--screen", "spectrum", "--ref-level", "75");
    for (let i = 0; i < 16; ++i) await page.press("#screen", "ArrowDown");
    await ExpectNativePicture(page, "--dvb", "s", "--screen", "spectrum", "--ref-level", "0");
});

test("the pointer over the plot moves the cursor and shows its readout", async ({ page }) => {
    await OpenDemo(page);
    const box = await page.locator("#screen").boundingBox();
    // Mouse events carry whole CSS pixels; the canvas may start between two.
    const at = (x, y) => page.mouse.move(Math.ceil(box.x) + x, Math.ceil(box.y) + y);
    await at(500, 300);
    await expect(page.locator("#tip")).toBeHidden();  // the Measure screen has no cursor
    await page.press("#screen", "ArrowLeft");
    await at(500, 300);
    await expect(page.locator("#tip")).toBeVisible();
    const readout = await page.locator("#tip").textContent();
    expect(readout).not.toBe("");
    await ExpectNativePicture(page, "--dvb", "s", "--screen", "spectrum", "--cursor-x", "500");
    await at(640, 300);
    expect(await page.locator("#tip").textContent()).not.toBe(readout);
    await at(1250, 300);  // right of the plot: the cursor stays
    await ExpectNativePicture(page, "--dvb", "s", "--screen", "spectrum", "--cursor-x", "640");
    await page.press("#screen", "ArrowRight");
    await expect(page.locator("#tip")).toBeHidden();  // the readout goes with the Spectrum screen
});

test("the wheel walks the current list and stops at its ends; DVB type rebuilds the lists", async ({ page }) => {
    await OpenDemo(page);
    const box = await page.locator("#screen").boundingBox();
    await page.mouse.move(box.x + 100, box.y + 100);
    await page.mouse.wheel(0, 100);
    await ExpectPlace(page, "measure", HELP.measure, { measure: 1 });
    await page.mouse.wheel(0, -500);
    await ExpectPlace(page, "measure", HELP.measure, { measure: 0 });
    await page.selectOption("#dvb-type", "1");
    await page.selectOption("#language", "1");
    const names = await page.locator("#measure option").allTextContents();
    expect(names.length).toBeGreaterThan(0);
    await page.mouse.wheel(0, 100 * names.length);
    await ExpectPlace(page, "measure", HELP.measure, { measure: names.length - 1 });
    const last = String(names.length - 1).padStart(2, "0");
    expect((await Downloaded(page, "#save-bmp")).name).toBe(`t-measure-${last}-fr.bmp`);
    await ExpectNativePicture(page, "--dvb", "t", "--screen", "measure", "--entry", String(names.length - 1),
        "--lang", "fr");
});
