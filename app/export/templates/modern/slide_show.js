"use strict";
// The slide show of a spot page. Each picture is shown at low resolution as soon as that has loaded,
// then in full; it stays for the interval once the full picture is there. A picture that cannot be
// loaded is skipped. After the last picture the page gives way to its map with location.replace, so
// that Back goes to the page before the show instead of playing it again.
//
// "?interval=MILLISECONDS" on the page's address sets how long each picture stays.
(() => {
  const kInterval = 5000;
  const requested = new URLSearchParams(location.search).get("interval");
  const interval = requested !== null && Number(requested) >= 0 ? Number(requested) : kInterval;

  const picture = document.getElementById("picture");
  const sound = document.getElementById("sound");
  const pauseButton = document.getElementById("pause");
  const counter = document.getElementById("counter");
  const caption = document.getElementById("caption");
  // A caption is read as text from the list and shown as text: words are never markup or script.
  const pictures = Array.from(document.querySelectorAll("#pictures li"), (item) => {
    const link = item.querySelector("a");
    const words = item.querySelector(".caption");
    return {full: link.getAttribute("href"), low: link.dataset.lowResolution, caption: words ? words.textContent : ""};
  });

  let current = -1;
  let timer = 0;
  let paused = false;
  let fullShown = false;
  // Loads started for a picture that is no longer the one wanted are ignored when they end.
  let ticket = 0;

  function goHome() {
    clearTimeout(timer);
    location.replace("index.html");
  }

  function schedule() {
    clearTimeout(timer);
    if (!paused && fullShown)
      timer = setTimeout(() => show(current + 1, 1), interval);
  }

  function load(source, loaded, failed) {
    const image = new Image();
    image.onload = loaded;
    image.onerror = failed;
    image.src = source;
  }

  // Shows picture `index`, or the first after it in direction `step` that loads.
  function show(index, step) {
    clearTimeout(timer);
    if (index < 0) {
      index = 0;
      step = 1;
    }
    if (index >= pictures.length) {
      goHome();
      return;
    }
    const mine = ++ticket;
    const entry = pictures[index];
    current = index;
    fullShown = false;
    counter.textContent = (index + 1) + " / " + pictures.length;
    caption.textContent = entry.caption;
    caption.hidden = entry.caption === "";
    load(entry.low, () => {
      if (mine === ticket && !fullShown)
        picture.src = entry.low;
    }, () => {});
    load(entry.full, () => {
      if (mine !== ticket)
        return;
      fullShown = true;
      picture.src = entry.full;
      schedule();
    }, () => {
      if (mine === ticket)
        show(index + step, step);
    });
  }

  function setPaused(pause) {
    paused = pause;
    pauseButton.textContent = paused ? "Play" : "Pause";
    pauseButton.setAttribute("aria-pressed", String(paused));
    if (sound) {
      if (paused)
        sound.pause();
      else
        sound.play().catch(() => {});
    }
    if (paused)
      clearTimeout(timer);
    else
      schedule();
  }

  document.documentElement.classList.add("scripted");
  document.getElementById("previous").addEventListener("click", () => show(current - 1, -1));
  document.getElementById("next").addEventListener("click", () => show(current + 1, 1));
  pauseButton.addEventListener("click", () => setPaused(!paused));
  document.addEventListener("keydown", (event) => {
    if (event.altKey || event.ctrlKey || event.metaKey)
      return;
    if (event.key === "ArrowLeft")
      show(current - 1, -1);
    else if (event.key === "ArrowRight")
      show(current + 1, 1);
    else
      return;
    event.preventDefault();
  });

  // Where the browser does not let a page start a sound by itself, the sound's controls start it.
  if (sound)
    sound.play().catch(() => {});
  show(0, 1);
})();
