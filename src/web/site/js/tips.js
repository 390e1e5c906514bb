// The tip the pointer shows over a control (the model's ControlProps::tip):
// a plate near the pointer after a short rest, gone when it moves away.
// A screen reader finds the same words as the control's description.
let timer = 0;
let over = null;

function tipEl() {
  return document.getElementById("tip");
}

function hide() {
  clearTimeout(timer);
  over = null;
  tipEl().hidden = true;
}

export function installTips() {
  document.addEventListener("pointerover", (e) => {
    const target = e.target.closest?.("[data-tip]");
    if (target === over) return;
    hide();
    if (!target) return;
    over = target;
    timer = setTimeout(() => {
      if (over !== target || !target.isConnected || target.hidden) return;
      const t = tipEl();
      t.textContent = target.dataset.tip;
      t.hidden = false;
      const r = target.getBoundingClientRect();
      const x = Math.min(e.clientX + 12, window.innerWidth - t.offsetWidth - 4);
      const below = r.bottom + 6 + t.offsetHeight < window.innerHeight;
      t.style.left = `${Math.max(4, x + window.scrollX)}px`;
      t.style.top = `${(below ? r.bottom + 6 : r.top - t.offsetHeight - 6) + window.scrollY}px`;
    }, 500);
  });
  document.addEventListener("pointerdown", hide);
  document.addEventListener("keydown", hide);
}
