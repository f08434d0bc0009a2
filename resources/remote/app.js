'use strict';
// The player page: joins the match with a name, then one large button. A touch is sent with the
// phone's own clock reading; ZN converts it to its clock from the ping exchanges answered here.
(function () {
  const path = location.pathname.replace(/[^/]*$/, '');      // "/<token>/"
  const storeKey = 'zn-phone:' + path;
  const $ = (id) => document.getElementById(id);
  const views = { join: $('join'), play: $('play') };
  let socket = null;
  let me = null;          // {n, secret, name}
  let state = 'wait';
  let retryMs = 500;
  let wakeLock = null;
  let pendingName = null;

  const errors = {
    rate: '送信が多すぎます。少し待って下さい。',
    size: '送信内容が大きすぎます。',
    form: '送信内容が正しくありません。',
  };

  try { me = JSON.parse(localStorage.getItem(storeKey) || 'null'); } catch (e) { me = null; }

  function show(name) {
    for (const k in views) views[k].classList.toggle('hidden', k !== name);
  }

  function setLink(text, cls) {
    for (const el of [$('link'), $('joinStatus')]) {
      el.textContent = text;
      el.classList.remove('ok', 'bad');
      if (cls) el.classList.add(cls);
    }
  }

  function send(obj) {
    if (socket && socket.readyState === WebSocket.OPEN) socket.send(JSON.stringify(obj));
  }

  function connect() {
    const url = (location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + path + 'ws';
    socket = new WebSocket(url);
    socket.onopen = () => {
      retryMs = 500;
      setLink('接続済み', 'ok');
      $('joinButton').disabled = false;
      if (me) send({ t: 'resume', n: me.n, secret: me.secret });
      else if (pendingName !== null) send({ t: 'join', name: pendingName });
    };
    socket.onmessage = (ev) => {
      let m;
      try { m = JSON.parse(ev.data); } catch (e) { return; }
      receive(m);
    };
    socket.onclose = () => {
      socket = null;
      setLink('再接続中…', 'bad');
      // Back off a little each time, so a dead network is not hammered.
      setTimeout(connect, retryMs);
      retryMs = Math.min(retryMs * 2, 5000);
    };
  }

  function receive(m) {
    switch (m.t) {
      case 'ping':
        send({ t: 'pong', i: m.i, p: performance.now() });
        break;
      case 'joined':
        me = { n: m.n, secret: m.secret, name: m.name };
        pendingName = null;
        try { localStorage.setItem(storeKey, JSON.stringify(me)); } catch (e) { /* private mode */ }
        $('who').textContent = m.name;
        $('playMessage').textContent = '';
        show('play');
        keepAwake();
        break;
      case 'name':
        pendingName = null;
        $('joinMessage').textContent = m.msg;
        $('joinButton').disabled = false;
        break;
      case 'full':
        pendingName = null;
        $('joinMessage').textContent = '満員です (最大10台)。';
        break;
      case 'gone':
        // ZN no longer knows this phone (it was restarted): join again.
        me = null;
        try { localStorage.removeItem(storeKey); } catch (e) { /* ignore */ }
        $('joinMessage').textContent = 'もう一度参加して下さい。';
        show('join');
        break;
      case 's':
        setState(m);
        break;
      case 'err':
        $('playMessage').textContent = errors[m.code] || '';
        setTimeout(() => { $('playMessage').textContent = ''; }, 2000);
        break;
    }
  }

  function setState(m) {
    state = m.s;
    const b = $('buzzer');
    b.className = 'buzzer ' + m.s;
    let main = '', sub = '';
    switch (m.s) {
      case 'wait': main = '待機中'; sub = ''; break;
      case 'open': main = '出題中'; sub = 'タッチで早押し'; break;
      case 'rank':
        if (m.n === 1) { main = '1番目!'; b.classList.add('first'); sub = 'もう一度タッチで解答表示'; }
        else { main = m.n + '番目'; sub = '+' + (m.lag / 1000).toFixed(3) + '秒'; }
        break;
      case 'locked': main = '受付終了'; sub = ''; break;
      case 'verdict':
        main = m.ok ? '○' : '×';
        b.classList.add(m.ok ? 'ok' : 'ng');
        sub = m.you ? (m.ok ? '正解!' : '不正解') : '';
        break;
    }
    $('stateText').textContent = main;
    $('subText').textContent = sub;
  }

  function buzz(ev) {
    ev.preventDefault();
    // The event's own time stamp is the touch, on the same clock as performance.now().
    const now = performance.now();
    const t = ev.timeStamp > 0 && ev.timeStamp <= now ? ev.timeStamp : now;
    if (state !== 'open' && state !== 'rank') return;
    send({ t: 'buzz', p: t });
    if (navigator.vibrate) navigator.vibrate(40);
    if (state === 'open') {
      $('buzzer').className = 'buzzer sent';
      $('stateText').textContent = '送信!';
      $('subText').textContent = '';
    }
  }

  async function keepAwake() {
    try {
      if ('wakeLock' in navigator && !wakeLock && document.visibilityState === 'visible') {
        wakeLock = await navigator.wakeLock.request('screen');
        wakeLock.addEventListener('release', () => { wakeLock = null; });
      }
    } catch (e) { wakeLock = null; /* not allowed here (no secure context); the page still works */ }
  }

  $('joinForm').addEventListener('submit', (ev) => {
    ev.preventDefault();
    const name = $('name').value;
    $('joinMessage').textContent = '';
    pendingName = name;
    $('joinButton').disabled = true;
    send({ t: 'join', name: name });
  });
  $('buzzer').addEventListener('pointerdown', buzz);
  $('buzzer').addEventListener('contextmenu', (ev) => ev.preventDefault());
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'visible') {
      keepAwake();
      if (!socket) connect();
    }
  });

  if (me) { $('who').textContent = me.name; show('play'); }
  connect();
})();
