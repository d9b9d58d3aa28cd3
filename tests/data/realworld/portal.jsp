<%@ page contentType="text/vnd.wap.wml; charset=ISO-8859-1" pageEncoding="ISO-8859-1" %>
<%-- Front page of the WAP portal; the header is shared with the other decks --%>
<?xml version="1.0" encoding="ISO-8859-1"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<%! private static final String[] SECTIONS = { "Nyheter", "Været", "Sport" }; %>
<jsp:useBean id="user" class="portal.User" scope="session"/>
<wml>
  <card id="front" title="Portalen">
    <p>
      <jsp:include page="/inc/greeting.jsp" flush="true"/>
      Hei, <%= user.getName() %>!<br/>
<% for (int i = 0; i < SECTIONS.length; i++) { %>
      <a href="section.jsp?s=<%= i %>&amp;u=<%= user.getId() %>"><%= SECTIONS[i] %></a><br/>
<% } %>
      <small>Åpent døgnet rundt</small>
    </p>
  </card>
</wml>
