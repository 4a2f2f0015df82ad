// The contact sheet's fixed parts: its style and its scripts. Everything is in the page, so it
// works opened from the file system, with nothing fetched from elsewhere.
#pragma once

namespace quorvel::cli {

inline constexpr const char* kSheetStyle = R"css(<style>
body{font-family:sans-serif;margin:0 1em 1em;background:#f4f4f4;color:#111}
#filters{position:sticky;top:0;z-index:1;background:#f4f4f4;padding:.5em 0;border-bottom:1px solid #ccc;display:flex;flex-wrap:wrap;gap:.4em 1.2em;align-items:center}
#contents ul{margin:.2em 0;padding-left:1.2em}
#contents>ul>li>ul{display:flex;flex-wrap:wrap;gap:0 3em}
#contents details{font-size:.85em}
h2{border-bottom:2px solid #335;margin-top:1.5em}
.grid{display:grid;grid-template-columns:repeat(auto-fill,minmax(300px,1fr));gap:12px;align-items:start}
figure{margin:0;padding:4px;background:#fff;border:3px solid transparent;min-width:0}
figure img{display:block;width:100%;height:auto;aspect-ratio:16/9;background:#000}
figcaption{display:flex;gap:.5em;align-items:baseline;font-size:.9em;margin-bottom:4px}
figcaption .title{font-weight:bold;flex:1;overflow-wrap:anywhere}
.badge{background:#e8a200;color:#000;padding:0 4px;font-size:.8em;white-space:nowrap}
.file{font-size:.8em;margin:.2em 0 0;color:#444;overflow-wrap:anywhere}
a.document{display:flex;align-items:center;justify-content:center;aspect-ratio:16/9;background:#335;color:#fff;text-align:center}
figure.clipped{border-color:#e8a200}
figure.clipped ul{margin:.3em 0 0;padding-left:1.2em;font-size:.8em}
figure.broken,figure.failed{border-color:#d00}
figure.broken::after{content:"picture did not load";color:#d00;font-weight:bold}
figure.failed p{color:#d00}
</style>)css";

// Filters: the form's choices hide the pictures that do not match and the groups and contents
// lines left empty, and each contents line counts the pictures its group still shows. They start from the page address's query (?language=fr&dvb=DVB-T&screen=
// measure&cut=1), so a filtered view can be bookmarked.
// Pictures load as they near the view and every one that does not decode is marked; "#eager"
// loads them all at once (for checking a sheet).
inline constexpr const char* kSheetScript = R"js(<script>
(function () {
  var form = document.getElementById("filters");
  var figures = Array.prototype.slice.call(document.querySelectorAll("figure[data-language]"));
  var query = new URLSearchParams(location.search);
  ["language", "dvb", "screen"].forEach(function (name) {
    if (query.has(name)) form.elements[name].value = query.get(name);
  });
  form.elements.cut.checked = query.get("cut") === "1";
  function apply() {
    var shown = 0;
    figures.forEach(function (figure) {
      var match = ["language", "dvb", "screen"].every(function (name) {
        var wanted = form.elements[name].value;
        return wanted === "" || figure.getAttribute("data-" + name) === wanted;
      }) && (!form.elements.cut.checked || figure.classList.contains("clipped"));
      figure.hidden = !match;
      if (match) shown += 1;
    });
    document.querySelectorAll("section").forEach(function (section) {
      section.hidden = !section.querySelector("figure:not([hidden])");
    });
    document.querySelectorAll("#contents li[data-for]").forEach(function (line) {
      var section = document.getElementById(line.getAttribute("data-for"));
      line.hidden = !section || section.hidden;
      var count = line.querySelector(":scope > .count");
      if (count && section) count.textContent = section.querySelectorAll("figure:not([hidden])").length;
    });
    document.getElementById("shown").textContent = shown + " of " + figures.length + " pictures shown";
  }
  form.addEventListener("change", apply);
  apply();

  var pictures = document.querySelectorAll("img[data-src]");
  function load(img) { if (!img.getAttribute("src")) img.src = img.getAttribute("data-src"); }
  pictures.forEach(function (img) {
    img.addEventListener("load", function () { img.setAttribute("data-decoded", img.naturalWidth); });
    img.addEventListener("error", function () {
      img.setAttribute("data-failed", "");
      img.closest("figure").classList.add("broken");
    });
  });
  if (location.hash === "#eager" || !("IntersectionObserver" in window)) {
    pictures.forEach(load);
    return;
  }
  var observer = new IntersectionObserver(function (entries) {
    entries.forEach(function (entry) {
      if (entry.isIntersecting) { load(entry.target); observer.unobserve(entry.target); }
    });
  }, { rootMargin: "800px" });
  pictures.forEach(function (img) { observer.observe(img); });
})();
</script>)js";

}  // namespace quorvel::cli
