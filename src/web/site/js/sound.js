// The sound seam: the program tells the page of every effect it plays and
// every track it starts. Nothing is heard in the browser yet; the music
// player reports itself stopped on the program's side (web_port.cpp).
export function playEffect(_name) {}
export function playMusic(_path) {}
