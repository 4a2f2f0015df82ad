// The figure set as one ZIP: every picture a batch makes of the open file, as PNG under the
// batch's names, and its index.json. Pictures are encoded by the browser a few at a time, so the
// encoding of one overlaps the painting of the next.
"use strict";

const FIGURE_SET_ENCODERS_AT_ONCE = 4;

async function Sha256Hex(bytes) {
    const digest = new Uint8Array(await crypto.subtle.digest("SHA-256", bytes));
    return Array.from(digest, (b) => b.toString(16).padStart(2, "0")).join("");
}

function EncodePng(rgba, width, height) {
    const canvas = new OffscreenCanvas(width, height);
    canvas.getContext("2d").putImageData(new ImageData(rgba, width, height), 0, 0);
    return canvas.convertToBlob({ type: "image/png" })
        .then((blob) => blob.arrayBuffer())
        .then((buffer) => new Uint8Array(buffer));
}

// `core` is the page's core with a file open; resolves to the ZIP's bytes.
async function MakeFigureSet(core, sourceName, width, height) {
    const count = core.ccall("QvPlanFigures", "number", ["string"], [sourceName]);
    const files = {};
    const pending = [];
    for (let i = 0; i < count; ++i) {
        const name = core.ccall("QvFigureName", "string", ["number"], [i]);
        const at = core.ccall("QvPaintFigure", "number", ["number"], [i]);
        files[name] = null;  // keeps the ZIP in the batch's order whatever encodes first
        const rgba = new Uint8ClampedArray(core.HEAPU8.subarray(at, at + width * height * 4));
        // PNG is compressed already: the ZIP stores it as it is.
        pending.push(EncodePng(rgba, width, height).then((png) => { files[name] = [png, { level: 0 }]; }));
        if (pending.length >= FIGURE_SET_ENCODERS_AT_ONCE) await pending.shift();
    }
    await Promise.all(pending);
    const record = core.ccall("QvRecordBytes", "number", [], []);
    const size = core.ccall("QvBytesSize", "number", [], []);
    const sha256 = await Sha256Hex(core.HEAPU8.slice(record, record + size));
    files["index.json"] = fflate.strToU8(core.ccall("QvFigureIndex", "string", ["string"], [sha256]));
    return fflate.zipSync(files);
}
