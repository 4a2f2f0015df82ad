// The window's controls around the core's screen: the file, the DVB type and language, the
// three lists, the keys, the wheel and the pointer, and saving what is shown.
"use strict";

(function () {
    const WIDTH = 1280;
    const HEIGHT = 720;
    const FAMILIES = [["measure", 1], ["constellation", 3], ["spectrum", 2]];
    const KEYS = { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3, F1: 4 };
    // Browsers report the wheel in pixels, lines or pages; one notch of a common mouse is 100
    // pixels or 3 lines.
    const NOTCH = [100, 3, 1];

    const byId = (id) => document.getElementById(id);
    const canvas = byId("screen");
    const context = canvas.getContext("2d");
    const tip = byId("tip");
    let core = null;
    let sourceName = "";
    let wheelRest = 0;

    const call = (name, type, ...args) =>
        core.ccall(name, type, args.map((a) => (typeof a === "string" ? "string" : "number")), args);

    function Draw() {
        const at = call("QvScreenRgba", "number");
        const rgba = new Uint8ClampedArray(core.HEAPU8.subarray(at, at + WIDTH * HEIGHT * 4));
        context.putImageData(new ImageData(rgba, WIDTH, HEIGHT), 0, 0);
    }

    function FillLists() {
        for (const [id, family] of FAMILIES) {
            const list = byId(id);
            list.replaceChildren();
            const count = call("QvCount", "number", family);
            for (let i = 0; i < count; ++i) list.add(new Option(call("QvName", "string", family, i)));
        }
    }

    // Shows what the core's state says: list selections, the current family, the help line.
    function Sync(changed) {
        const current = call("QvCategory", "number");
        for (const [id, family] of FAMILIES) {
            byId(id).selectedIndex = call("QvSelection", "number", family);
            byId(id).parentElement.classList.toggle("current", family === current);
        }
        byId("help").textContent = call("QvHelpLine", "string");
        const named = call("QvPictureName", "string", 0) !== "";
        for (const id of ["save-bmp", "save-png"]) byId(id).disabled = !named;
        byId("figure-set").disabled = sourceName === "";
        // The readout follows the cursor column it describes, and goes with the Spectrum screen.
        const readout = call("QvCursorTip", "string");
        tip.textContent = readout;
        if (readout === "") tip.style.display = "none";
        if (changed) Draw();
    }

    function Act(name, ...args) {
        Sync(call(name, "number", ...args) === 1);
    }

    function Download(blob, name) {
        const link = document.createElement("a");
        link.href = URL.createObjectURL(blob);
        link.download = name;
        link.click();
        setTimeout(() => URL.revokeObjectURL(link.href), 0);
    }

    async function Open(file) {
        performance.mark("quorvel-file-chosen");
        const bytes = new Uint8Array(await file.arrayBuffer());
        // The core reads files by name, as the window does: the file lives in memory just long
        // enough to be read.
        core.FS.writeFile(file.name, bytes);
        const opened = call("QvOpen", "number", file.name) === 1;
        core.FS.unlink(file.name);
        if (!opened) {
            byId("message").textContent =
                "Cannot open " + file.name + ": " + call("QvError", "string");
            return;
        }
        byId("message").textContent = "";
        sourceName = file.name;
        // The chooser forgets its file once read, so the page names what it shows.
        byId("source").textContent = file.name;
        document.title = file.name + " - Quorvel";
        FillLists();
        Sync(true);
        performance.mark("quorvel-screen-drawn");
    }

    function OnKey(event) {
        if (!(event.key in KEYS)) return;
        event.preventDefault();
        Act("QvPressKey", KEYS[event.key]);
    }

    function OnWheel(event) {
        event.preventDefault();
        wheelRest += event.deltaY / NOTCH[event.deltaMode];
        const notches = Math.trunc(wheelRest);
        wheelRest -= notches;
        // Turning the wheel towards the user goes down the list.
        if (notches !== 0) Act("QvWheel", notches);
    }

    function OnPointer(event) {
        const box = canvas.getBoundingClientRect();
        const x = Math.floor(((event.clientX - box.left) * WIDTH) / box.width);
        const y = Math.floor(((event.clientY - box.top) * HEIGHT) / box.height);
        Act("QvPointer", x, y);
        tip.style.display = tip.textContent === "" ? "none" : "block";
        tip.style.left = event.clientX - box.left + 16 + "px";
        tip.style.top = event.clientY - box.top + 16 + "px";
    }

    function SaveBmp() {
        const at = call("QvScreenBmp", "number");
        const bytes = core.HEAPU8.slice(at, at + call("QvBytesSize", "number"));
        Download(new Blob([bytes], { type: "image/bmp" }), call("QvPictureName", "string", 0));
    }

    function SavePng() {
        const name = call("QvPictureName", "string", 1);
        canvas.toBlob((blob) => Download(blob, name), "image/png");
    }

    async function SaveFigureSet() {
        const button = byId("figure-set");
        button.disabled = true;
        const zip = await MakeFigureSet(core, sourceName, WIDTH, HEIGHT);
        const stem = sourceName.replace(/\.[^.]*$/, "") || "quorvel";
        Download(new Blob([zip], { type: "application/zip" }), stem + "-figures.zip");
        button.disabled = false;
    }

    function Wire() {
        byId("open").addEventListener("change", (event) => {
            if (event.target.files.length > 0) Open(event.target.files[0]);
            event.target.value = "";
        });
        document.addEventListener("dragover", (event) => {
            event.preventDefault();
            document.body.classList.add("dragging");
        });
        document.addEventListener("dragleave", () => document.body.classList.remove("dragging"));
        document.addEventListener("drop", (event) => {
            event.preventDefault();
            document.body.classList.remove("dragging");
            if (event.dataTransfer.files.length > 0) Open(event.dataTransfer.files[0]);
        });
        byId("dvb-type").addEventListener("change", (event) => {
            Act("QvChooseDvbType", Number(event.target.value));
            FillLists();
            Sync(false);
            canvas.focus();
        });
        byId("language").addEventListener("change", (event) => {
            Act("QvChooseLanguage", Number(event.target.value));
            canvas.focus();
        });
        for (const [id, family] of FAMILIES) {
            // Picking a name is a selection change and the list closing, as in the window.
            byId(id).addEventListener("change", (event) => {
                Act("QvSelect", family, event.target.selectedIndex);
                Act("QvCloseUp", family);
                canvas.focus();
            });
            // A page hears nothing when a list closes without a new pick, as the window's does;
            // a click on the list, or the key that opens it, is the nearest sign, and makes its
            // family current as closing it would.
            byId(id).addEventListener("click", () => Act("QvCloseUp", family));
            byId(id).addEventListener("keydown", (event) => {
                if (event.key === "Enter" || event.key === " ") Act("QvCloseUp", family);
            });
        }
        canvas.addEventListener("keydown", OnKey);
        canvas.addEventListener("wheel", OnWheel, { passive: false });
        canvas.addEventListener("mousemove", OnPointer);
        canvas.addEventListener("mouseleave", () => { tip.style.display = "none"; });
        byId("save-bmp").addEventListener("click", SaveBmp);
        byId("save-png").addEventListener("click", SavePng);
        byId("figure-set").addEventListener("click", SaveFigureSet);
    }

    QuorvelCore().then((module) => {
        core = module;
        // Files are read from a folder of their own, so no name can meet the runtime's own.
        core.FS.mkdir("/opened");
        core.FS.chdir("/opened");
        context.fillRect(0, 0, WIDTH, HEIGHT);
        Wire();
        Sync(false);
        document.body.dataset.ready = "true";
    });
})();
