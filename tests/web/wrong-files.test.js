// A file the page cannot use is refused with a message naming it and saying why, and the screen,
// the lists and the names of the pictures stay as they were; a dropped file opens as a chosen one.
const fs = require("fs");
const { test, expect, DEMO, OpenDemo } = require("./page-fixture");

const CASES = [
    ["short.dat", Buffer.alloc(100), /short\.dat.*holds 156836 bytes/],
    ["broken.json", Buffer.from('{"format": '), /broken\.json is not valid JSON: the text ends/],
    ["deep.json", Buffer.from("[".repeat(5000) + "]".repeat(5000)), /deep\.json nests .* levels deep/],
];

async function Shown(page) {
    return page.evaluate(() => ({
        screen: document.getElementById("screen").toDataURL(),
        lists: [...document.querySelectorAll("#lists select")].map((list) =>
            [...list.options].map((option) => option.text).join("|") + "@" + list.selectedIndex),
        help: document.getElementById("help").textContent,
        source: [document.getElementById("source").textContent, document.title],
    }));
}

async function Drop(page, name, bytes) {
    await page.evaluate(([fileName, data]) => {
        const transfer = new DataTransfer();
        transfer.items.add(new File([new Uint8Array(data)], fileName));
        document.getElementById("screen").dispatchEvent(
            new DragEvent("drop", { dataTransfer: transfer, bubbles: true, cancelable: true }));
    }, [name, [...bytes]]);
}

test("wrong files are refused by name and reason; what was shown stays", async ({ page }) => {
    await OpenDemo(page);
    await page.selectOption("#spectrum", { index: 1 });
    const before = await Shown(page);
    for (const [name, bytes, reason] of CASES) {
        await page.setInputFiles("#open", { name, mimeType: "application/octet-stream", buffer: bytes });
        await expect(page.locator("#message")).toHaveText(reason);
        expect(await Shown(page), name).toEqual(before);
    }
});

test("a dropped file opens and clears the last refusal", async ({ page }) => {
    const blank = await page.evaluate(() => document.getElementById("screen").toDataURL());
    await Drop(page, "short.dat", Buffer.alloc(10));
    await expect(page.locator("#message")).toHaveText(/short\.dat/);
    await Drop(page, "demo.dat", fs.readFileSync(DEMO));
    await expect(page.locator("#message")).toHaveText("");
    await expect(page.locator("#save-bmp")).toBeEnabled();
    await expect(page.locator("#source")).toHaveText("demo.dat");
    expect(await page.evaluate(() => document.getElementById("screen").toDataURL())).not.toBe(blank);
});
