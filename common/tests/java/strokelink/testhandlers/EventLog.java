package strokelink.testhandlers;

/** What a handler received, as "P<code>" / "R<code>" words in arrival order. */
public class EventLog {
  private final StringBuilder events = new StringBuilder();

  protected synchronized void record(String kind, short code) {
    if (events.length() > 0) {
      events.append(' ');
    }
    events.append(kind).append(code);
  }

  public synchronized String takeEvents() {
    String taken = events.toString();
    events.setLength(0);
    return taken;
  }
}
